#pragma once

#include <string>

namespace platform {

enum class MessageIcon { Information, Exclamation, Critical };

/// Modal message boxes with one OK button.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows the box and returns when the user has closed it. Text and title are UTF-8 plain
    /// text, never markup.
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

} // namespace platform

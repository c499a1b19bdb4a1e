#pragma once

#include <QString>

namespace platform {

enum class MessageIcon { Information, Exclamation, Critical };

/// Modal message boxes with one OK button. A window service, so it speaks Qt.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows the box and returns when the user has closed it. The text is plain text, never markup.
    virtual void show(const QString& text, const QString& title, MessageIcon icon) = 0;
};

} // namespace platform

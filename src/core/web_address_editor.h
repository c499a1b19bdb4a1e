#pragma once

#include "core/task_editors.h"

#include <cstddef>
#include <string>

namespace core {

/// The web-address editor's window as its rules see it.
class WebAddressEditorView {
public:
    virtual ~WebAddressEditorView() = default;
    virtual std::string address() const = 0;
    virtual void setAddress(const std::string& address) = 0;
    /// The caption and the background of the window and its frame.
    virtual void showLook() = 0;
    /// Closes the window; it then calls unload.
    virtual void closeWindow() = 0;
};

/// The web-address editor: the address a Visit Website task opens.
class WebAddressEditor final {
public:
    /// At most this many characters can be typed into the address box.
    static constexpr std::size_t kTypedLimit = 100;
    /// What every visit starts with, and what OK refuses.
    static constexpr const char* kPrefix = "http://";

    WebAddressEditor(WebAddressEditorView& view, EditorContext context);

    /// Every visit starts from the prefix.
    void load();
    /// Each time the editor becomes the active window: its look, then five windows blocked.
    void activate();
    /// Closing: the prefix or an empty box clears the task kind; the windows are freed.
    void unload();
    /// OK: anything but the exact prefix (the empty text too) goes into the record and the
    /// editor closes.
    void accept();

private:
    WebAddressEditorView& m_view;
    EditorContext m_context;
};

} // namespace core

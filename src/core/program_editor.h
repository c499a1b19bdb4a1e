#pragma once

#include "core/task_editors.h"

#include <cstddef>
#include <string>
#include <vector>

namespace core {

/// The program editor's window as its rules see it.
class ProgramEditorView {
public:
    virtual ~ProgramEditorView() = default;
    virtual std::string path() const = 0;
    /// Puts a path into the box; the box then takes typing up to typingLimit characters.
    virtual void setPath(const std::string& path, std::size_t typingLimit) = 0;
    /// The window a dialog belongs to.
    virtual platform::WindowHandle handle() = 0;
    /// Closes the window; it then calls unload.
    virtual void closeWindow() = 0;
};

/// The program editor: the name or path of the program a Run Program task starts, typed in or
/// chosen with Browse.
class ProgramEditor final {
public:
    /// At most this many characters can be typed into the path box.
    static constexpr std::size_t kTypedLimit = 100;

    ProgramEditor(ProgramEditorView& view, EditorContext context);

    /// Every visit starts with an empty path.
    void load();
    /// Each time the editor becomes the active window: four windows blocked.
    void activate();
    /// Closing (OK or the close box): an empty path clears the task kind; the windows are freed.
    void unload();
    /// Browse: the file-open dialog; its file name replaces the path, a cancel hands back the
    /// last choice of this visit (or nothing).
    void browse();
    /// OK: a non-empty path goes into the record unchanged and the editor closes.
    void accept();

private:
    ProgramEditorView& m_view;
    EditorContext m_context;
    /// The dialog's last file name, kept for the life of the window.
    std::string m_dialogFileName;
};

} // namespace core

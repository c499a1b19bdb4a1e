#pragma once

#include "core/program_editor.h"
#include "shell/qt/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace qtshell {

/// The program editor's controls: a private base of the editor, as a form class of Qt Designer is. The editor
/// keeps them to itself; the tests find them by their names.
struct ProgramEditorControls {
    QGroupBox* pathFrame = nullptr;
    QLineEdit* pathBox = nullptr;
    QPushButton* browseButton = nullptr;
};

/// The program editor: the name or path of the program a Run Program task starts, typed in or
/// chosen with Browse; a view over core::ProgramEditor.
class ProgramEditor final : public EditorWindow,
                            public core::ProgramEditorView,
                            private ProgramEditorControls {
    Q_OBJECT

public:
    explicit ProgramEditor(const core::EditorContext& context);

    void load();
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    /// Browse: the file-open dialog; its file name replaces the path.
    void browse() { m_rules.browse(); }
    /// OK: accepts a non-empty path.
    void accept() { m_rules.accept(); }

    // core::ProgramEditorView
    std::string path() const override { return pathBox->text().toStdString(); }
    void setPath(const std::string& path, std::size_t typingLimit) override;
    platform::WindowHandle handle() override { return this; }
    void closeWindow() override { close(); }

private:
    core::ProgramEditor m_rules;
};

} // namespace qtshell

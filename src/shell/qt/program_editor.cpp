#include "shell/qt/program_editor.h"

#include "shell/qt/control_names.h"
#include "shell/qt/first_line_only.h"

namespace {

namespace design = core::design::program_editor;

} // namespace

namespace qtshell {

ProgramEditor::ProgramEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::ProgramOk, core::HoverSurface::ProgramFrame),
      m_rules(*this, context) {
    setFixedSize(pixels(design::kEditor.client).size());
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QString::fromUtf8(design::kEditor.accessibleName));

    pathFrame = new QGroupBox(QString::fromUtf8(design::kEditor.frameText), this);
    pathFrame->setGeometry(pixels(design::kEditor.frame));
    pathBox = new QLineEdit(pathFrame);
    pathBox->setGeometry(pixels(design::kPathBox, design::kEditor.frame));
    pathBox->setMaxLength(static_cast<int>(core::ProgramEditor::kTypedLimit));
    FirstLineOnly::apply(pathBox);
    pathBox->setAccessibleName(QString::fromUtf8(design::kPathName));
    // Typing stops at 100 characters; a longer path from the dialog stays whole, and edits
    // may shorten it but never make it longer.
    connect(pathBox, &QLineEdit::textEdited, this, [this](const QString& text) {
        const auto limit = static_cast<int>(
            core::typingLimitFor(core::ProgramEditor::kTypedLimit, static_cast<std::size_t>(text.size())));
        if (limit != pathBox->maxLength()) {
            // A new limit sets the text anew, which would put the cursor at its end.
            const int cursor = pathBox->cursorPosition();
            pathBox->setMaxLength(limit);
            pathBox->setCursorPosition(cursor);
        }
    });

    browseButton = new QPushButton(QString::fromUtf8(design::kBrowseText), pathFrame);
    browseButton->setToolTip(QString::fromUtf8(design::kBrowseTip));
    browseButton->setGeometry(pixels(design::kBrowseButton, design::kEditor.frame));
    browseButton->setAutoDefault(true); // Return presses it too, as Space does
    connect(browseButton, &QPushButton::clicked, this, &ProgramEditor::browse);

    makeOkButton(pathFrame, design::kEditor, design::kEditor.frame);
    connect(okButton, &PictureButton::clicked, this, &ProgramEditor::accept);
    watchMouseMoves(pathFrame);
    pressOkOnReturn(pathBox, false);
    pathBox->setFocus(); // typing starts here when the editor opens

    load();
    nameControls({{pathFrame, "pathFrame"}, {pathBox, "pathBox"}, {browseButton, "browseButton"}});
}

void ProgramEditor::load() {
    setLook(pathFrame);
    m_rules.load();
}

void ProgramEditor::setPath(const std::string& path, std::size_t typingLimit) {
    pathBox->setMaxLength(static_cast<int>(typingLimit));
    pathBox->setText(QString::fromStdString(path));
}

} // namespace qtshell

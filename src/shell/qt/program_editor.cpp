#include "shell/qt/program_editor.h"

#include "shell/qt/control_names.h"
#include "shell/qt/first_line_only.h"

namespace qtshell {

ProgramEditor::ProgramEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::ProgramOk, core::HoverSurface::ProgramFrame),
      m_rules(*this, context) {
    setFixedSize(pixelsAcross(5400), pixelsDown(2040));
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QStringLiteral("Run Program editor"));

    pathFrame = new QGroupBox(QStringLiteral("Type the Name or Path of the program"), this);
    pathFrame->setGeometry(pixelsAcross(120), pixelsDown(120), pixelsAcross(5160), pixelsDown(1800));
    pathBox = new QLineEdit(pathFrame);
    pathBox->setGeometry(pixelsAcross(240), pixelsDown(420), pixelsAcross(3480), pixelsDown(345));
    pathBox->setMaxLength(static_cast<int>(core::ProgramEditor::kTypedLimit));
    FirstLineOnly::apply(pathBox);
    pathBox->setAccessibleName(QStringLiteral("Program"));
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

    browseButton = new QPushButton(QStringLiteral("Browse"), pathFrame);
    browseButton->setToolTip(QStringLiteral("Browse for Programs"));
    browseButton->setGeometry(pixelsAcross(3840), pixelsDown(390), pixelsAcross(1080), pixelsDown(405));
    browseButton->setAutoDefault(true); // Return presses it too, as Space does
    connect(browseButton, &QPushButton::clicked, this, &ProgramEditor::browse);

    makeOkButton(pathFrame, 3840, 1080);
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

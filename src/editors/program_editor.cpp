#include "editors/program_editor.h"

#include "editors/first_line_only.h"

#include <algorithm>

namespace {

constexpr int kTypedLimit = 100;
const QString kEmptyPath = QStringLiteral("Please select or type the program Name.");

} // namespace

ProgramEditor::ProgramEditor(platform::Services& services, core::AppState& state,
                             const QList<QWidget*>& windowsToDisable, QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_state(state) {
    setFixedSize(pixelsAcross(5400), pixelsDown(2040));
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QStringLiteral("Run Program editor"));

    pathFrame = new QGroupBox(QStringLiteral("Type the Name or Path of the program"), this);
    pathFrame->setGeometry(pixelsAcross(120), pixelsDown(120), pixelsAcross(5160), pixelsDown(1800));
    pathBox = new QLineEdit(pathFrame);
    pathBox->setGeometry(pixelsAcross(240), pixelsDown(420), pixelsAcross(3480), pixelsDown(345));
    pathBox->setMaxLength(kTypedLimit);
    FirstLineOnly::apply(pathBox);
    pathBox->setAccessibleName(QStringLiteral("Program"));
    // Typing stops at 100 characters; a longer path from the dialog stays whole, and edits
    // may shorten it but never make it longer.
    connect(pathBox, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int limit = std::max(kTypedLimit, static_cast<int>(text.size()));
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
    watchMouseMoves(pathFrame, [this] { restoreOk(); });
    pressOkOnReturn(pathBox, false);
    pathBox->setFocus(); // typing starts here when the editor opens

    load();
}

QStringList ProgramEditor::browseFilters() {
    // Programs on this system carry no name extension: any file may be one.
    return {QStringLiteral("Programs (*)"), QStringLiteral("Shell scripts (*.sh)")};
}

void ProgramEditor::load() {
    setLook(pathFrame);
    pathBox->clear();
}

void ProgramEditor::activate() {
    disableOtherWindows();
}

void ProgramEditor::unload() {
    if (pathBox->text().isEmpty()) {
        clearTaskKind();
    }
    enableOtherWindows();
}

void ProgramEditor::browse() {
    if (m_services.fileDialog) {
        std::vector<std::string> filters;
        for (const QString& entry : browseFilters()) {
            filters.push_back(entry.toStdString());
        }
        const QString chosen = QString::fromStdString(
            m_services.fileDialog->getOpenFileName(this, m_dialogFileName.toStdString(), filters));
        if (!chosen.isEmpty()) {
            m_dialogFileName = chosen;
        }
    }
    pathBox->setMaxLength(std::max(kTypedLimit, static_cast<int>(m_dialogFileName.size())));
    pathBox->setText(m_dialogFileName);
}

void ProgramEditor::accept() {
    if (pathBox->text().isEmpty()) {
        showWarning(kEmptyPath);
        return;
    }
    m_state.changeTask([this](ScheduledTask& task) { task.program = pathBox->text().toStdString(); });
    close();
}

void ProgramEditor::restoreOk() {
    okButton->setPicture(1);
}

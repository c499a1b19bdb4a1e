#include "shell/qt/alert_editor.h"

#include "shell/qt/control_names.h"

#include <QTextCursor>

namespace {

namespace design = core::design::alert_editor;

} // namespace

namespace qtshell {

AlertEditor::AlertEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::AlertOk, core::HoverSurface::AlertEditor),
      m_rules(*this, context) {
    setFixedSize(pixels(design::kEditor.client).size());
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QString::fromUtf8(design::kEditor.accessibleName));

    messageFrame = new QGroupBox(QString::fromUtf8(design::kEditor.frameText), this);
    messageFrame->setGeometry(pixels(design::kEditor.frame));
    messageBox = new QPlainTextEdit(messageFrame);
    messageBox->setGeometry(pixels(design::kMessageBox, design::kEditor.frame));
    messageBox->setTabChangesFocus(true);
    messageBox->setAccessibleName(QString::fromUtf8(design::kMessageName));
    connect(messageBox, &QPlainTextEdit::textChanged, this, &AlertEditor::limitMessage);

    playSoundCheck = new QCheckBox(this);
    playSoundCheck->setGeometry(pixels(design::kPlaySoundBox));
    playSoundCheck->setAccessibleName(QString::fromUtf8(design::kPlaySoundText));
    playSoundLabel = new QLabel(QString::fromUtf8(design::kPlaySoundText), this);
    playSoundLabel->setGeometry(pixels(design::kPlaySoundLabel));

    testLink = new PictureButton(this);
    testLink->setText(QString::fromUtf8(design::kTestText));
    testLink->setToolTip(QString::fromUtf8(design::kTestTip));
    QFont underlined = testLink->font();
    underlined.setUnderline(true);
    testLink->setFont(underlined);
    testLink->setGeometry(pixels(design::kTestLink));
    connect(testLink, &PictureButton::clicked, this, &AlertEditor::testSound);

    makeOkButton(this, design::kEditor);
    connect(okButton, &PictureButton::clicked, this, &AlertEditor::accept);
    watchMouseMoves(this);
    pressOkOnReturn(messageBox, true);
    messageBox->setFocus(); // typing starts here when the editor opens

    load();
    nameControls({{messageFrame, "messageFrame"},
                  {messageBox, "messageBox"},
                  {playSoundCheck, "playSoundCheck"},
                  {playSoundLabel, "playSoundLabel"},
                  {testLink, "testLink"}});
}

AlertEditor::~AlertEditor() = default;

void AlertEditor::load() {
    setLook(messageFrame);
    m_rules.load();
}

std::string AlertEditor::message() const {
    return messageBox->toPlainText().toStdString();
}

void AlertEditor::limitMessage() {
    // What an edit adds beyond the limit is dropped at the cursor.
    QTextCursor cursor = messageBox->textCursor();
    const core::Excess excess =
        core::excessOverLimit(static_cast<std::size_t>(messageBox->toPlainText().size()),
                              static_cast<std::size_t>(cursor.position()), core::AlertEditor::kMessageLimit);
    if (excess.count == 0) {
        return;
    }
    cursor.setPosition(static_cast<int>(excess.start));
    cursor.setPosition(static_cast<int>(excess.start + excess.count), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    messageBox->setTextCursor(cursor);
}

} // namespace qtshell

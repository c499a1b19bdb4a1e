#include "shell/qt/alert_editor.h"

#include "shell/qt/control_names.h"

#include <QTextCursor>

namespace qtshell {

AlertEditor::AlertEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::AlertOk, core::HoverSurface::AlertEditor),
      m_rules(*this, context) {
    setFixedSize(pixelsAcross(4800), pixelsDown(2940));
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QStringLiteral("Alert message editor"));

    messageFrame = new QGroupBox(QStringLiteral(" Please type your Message here."), this);
    messageFrame->setGeometry(pixelsAcross(120), pixelsDown(120), pixelsAcross(4560), pixelsDown(1980));
    messageBox = new QPlainTextEdit(messageFrame);
    messageBox->setGeometry(pixelsAcross(120), pixelsDown(330), pixelsAcross(4320), pixelsDown(1530));
    messageBox->setTabChangesFocus(true);
    messageBox->setAccessibleName(QStringLiteral("Message"));
    connect(messageBox, &QPlainTextEdit::textChanged, this, &AlertEditor::limitMessage);

    playSoundCheck = new QCheckBox(this);
    playSoundCheck->setGeometry(pixelsAcross(240), pixelsDown(2280), pixelsAcross(240), pixelsDown(300));
    playSoundCheck->setAccessibleName(QStringLiteral("Play Sound"));
    playSoundLabel = new QLabel(QStringLiteral("Play Sound"), this);
    playSoundLabel->setGeometry(pixelsAcross(500), pixelsDown(2280), pixelsAcross(1100), pixelsDown(300));

    testLink = new PictureButton(this);
    testLink->setText(QStringLiteral("Test "));
    testLink->setToolTip(QStringLiteral("Click to play the Sound"));
    QFont underlined = testLink->font();
    underlined.setUnderline(true);
    testLink->setFont(underlined);
    testLink->setGeometry(pixelsAcross(1800), pixelsDown(2280), pixelsAcross(720), pixelsDown(300));
    connect(testLink, &PictureButton::clicked, this, &AlertEditor::testSound);

    makeOkButton(this, 3600, 2250);
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

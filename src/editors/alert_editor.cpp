#include "editors/alert_editor.h"

#include "core/notify_sound.h"

#include <QTextCursor>

#include <exception>
#include <stdexcept>

namespace {

constexpr int kMessageLimit = 200;
const QString kEmptyMessage = QStringLiteral("Please type the Message.");
const QString kMissingSound = QStringLiteral(
    "The system sound file referred by 'Corvane' does not exist in your computer. it is recommend that you "
    "uncheck 'Play Sound' option and continue.");

} // namespace

AlertEditor::AlertEditor(platform::Services& services, core::AppState& state, QString soundFolder,
                         const QList<QWidget*>& windowsToDisable, QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_state(state), m_soundFolder(std::move(soundFolder)) {
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
    watchMouseMoves(this, [this] { restoreOk(); });
    pressOkOnReturn(messageBox, true);
    messageBox->setFocus(); // typing starts here when the editor opens

    load();
}

AlertEditor::~AlertEditor() = default;

void AlertEditor::load() {
    setLook(messageFrame);
    messageBox->clear();
    playSoundCheck->setChecked(m_state.task().playSound);
}

void AlertEditor::activate() {
    disableOtherWindows();
}

void AlertEditor::unload() {
    if (messageBox->toPlainText().isEmpty()) {
        clearTaskKind();
    }
    enableOtherWindows();
}

void AlertEditor::accept() {
    if (messageBox->toPlainText().isEmpty()) {
        showWarning(kEmptyMessage);
        return;
    }
    m_state.changeTask([this](ScheduledTask& task) {
        task.message = messageBox->toPlainText().toStdString();
        task.playSound = playSoundCheck->isChecked();
    });
    close();
}

void AlertEditor::testSound() {
    try {
        if (!m_services.sound) {
            throw std::runtime_error("no sound service");
        }
        // A Test during a playback starts the sound again from the beginning: the old player
        // goes with its playback, so no late end report of it can close the new one.
        if (!m_player || m_playing) {
            m_playing = false;
            m_player = m_services.sound->create();
            m_player->setOnFinished([this] { soundDone(); });
        }
        const std::string separator = m_services.folders ? m_services.folders->separator() : std::string("/");
        m_playing = true;
        core::startNotifySound(*m_player, core::notifySoundPath(m_soundFolder.toStdString(), separator));
    } catch (const std::exception&) {
        m_playing = false;
        if (m_player) {
            m_player->close();
        }
        showWarning(kMissingSound);
    }
}

void AlertEditor::soundDone() {
    m_playing = false;
    if (m_player) {
        core::endNotifySound(*m_player);
    }
}

void AlertEditor::restoreOk() {
    okButton->setPicture(1);
}

void AlertEditor::limitMessage() {
    // The box takes at most 200 characters: what an edit adds beyond them is dropped at the cursor.
    const int excess = static_cast<int>(messageBox->toPlainText().size()) - kMessageLimit;
    if (excess <= 0) {
        return;
    }
    QTextCursor cursor = messageBox->textCursor();
    const int start = std::max(0, cursor.position() - excess);
    cursor.setPosition(start);
    cursor.setPosition(start + excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    messageBox->setTextCursor(cursor);
}

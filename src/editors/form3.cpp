#include "editors/form3.h"

#include "editors/notify_sound.h"

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

Form3::Form3(platform::Services& services, ScheduledTask& task, QString windowsDirectory,
             const QList<QWidget*>& windowsToDisable, QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_task(task),
      m_windowsDirectory(std::move(windowsDirectory)) {
    setFixedSize(X(4800), Y(2940));

    Frame1 = new QGroupBox(QStringLiteral(" Please type your Message here."), this);
    Frame1->setGeometry(X(120), Y(120), X(4560), Y(1980));
    message = new QPlainTextEdit(Frame1);
    message->setGeometry(X(120), Y(330), X(4320), Y(1530));
    message->setTabChangesFocus(true);
    message->setAccessibleName(QStringLiteral("Message"));
    connect(message, &QPlainTextEdit::textChanged, this, &Form3::message_Change);

    Check1 = new QCheckBox(this);
    Check1->setGeometry(X(240), Y(2280), X(240), Y(300));
    Check1->setAccessibleName(QStringLiteral("Play Sound"));
    Label7 = new QLabel(QStringLiteral("Play Sound"), this);
    Label7->setGeometry(X(500), Y(2280), X(1100), Y(300));

    Label1 = new PictureButton(this);
    Label1->setText(QStringLiteral("Test "));
    Label1->setToolTip(QStringLiteral("Click to play the Sound"));
    QFont underlined = Label1->font();
    underlined.setUnderline(true);
    Label1->setFont(underlined);
    Label1->setGeometry(X(1800), Y(2280), X(720), Y(300));
    connect(Label1, &PictureButton::clicked, this, &Form3::Label1_Click);

    MakeOkButton(this, 3600, 2250);
    connect(Image9, &PictureButton::clicked, this, &Form3::Image9_Click);
    WatchMouseMoves(this, [this] { Form_MouseMove(); });
    PressOkOnReturn(message, true);
    message->setFocus(); // typing starts here when the editor opens

    Form_Load();
}

Form3::~Form3() = default;

void Form3::Form_Load() {
    SetLook(Frame1);
    message->clear();
    Check1->setChecked(m_task.soundcheck == 1);
}

void Form3::Form_Activate() {
    DisableOtherWindows();
}

void Form3::Form_Unload() {
    if (message->toPlainText().isEmpty()) {
        ClearTaskKind();
    }
    EnableOtherWindows();
}

void Form3::Image9_Click() {
    if (message->toPlainText().isEmpty()) {
        ShowWarning(kEmptyMessage);
        return;
    }
    m_task.message = message->toPlainText();
    m_task.soundcheck = Check1->isChecked() ? 1 : 0;
    close();
}

void Form3::Label1_Click() {
    try {
        if (!m_services.sound) {
            throw std::runtime_error("no sound service");
        }
        // A Test during a playback starts the sound again from the beginning: the old player
        // goes with its playback, so no late end report of it can close the new one.
        if (!MMC1 || m_playing) {
            m_playing = false;
            MMC1 = m_services.sound->create();
            MMC1->setOnFinished([this] { MMC1_Done(); });
        }
        const std::string separator = m_services.folders ? m_services.folders->separator() : std::string("/");
        m_playing = true;
        StartNotifySound(*MMC1, NotifySoundPath(m_windowsDirectory, separator));
    } catch (const std::exception&) {
        m_playing = false;
        if (MMC1) {
            MMC1->close();
        }
        ShowWarning(kMissingSound);
    }
}

void Form3::MMC1_Done() {
    m_playing = false;
    if (MMC1) {
        EndNotifySound(*MMC1);
    }
}

void Form3::Form_MouseMove() {
    Image9->setPicture(1);
}

void Form3::message_Change() {
    // The box takes at most 200 characters: what an edit adds beyond them is dropped at the cursor.
    const int excess = static_cast<int>(message->toPlainText().size()) - kMessageLimit;
    if (excess <= 0) {
        return;
    }
    QTextCursor cursor = message->textCursor();
    const int start = std::max(0, cursor.position() - excess);
    cursor.setPosition(start);
    cursor.setPosition(start + excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    message->setTextCursor(cursor);
}

#include "editors/form6.h"

namespace {

constexpr int kTypedLimit = 100;
const QString kPrefix = QStringLiteral("http://");
const QString kBarePrefix = QStringLiteral("Please type the URL.");

} // namespace

Form6::Form6(platform::Services& services, ScheduledTask& task, const QList<QWidget*>& windowsToDisable,
             QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_task(task) {
    setFixedSize(X(5400), Y(2040));

    Frame1 = new QGroupBox(QStringLiteral("Type URL (Web  Address)"), this);
    Frame1->setGeometry(X(120), Y(120), X(5160), Y(1800));
    txtpath = new QLineEdit(Frame1);
    txtpath->setGeometry(X(240), Y(420), X(4680), Y(345));
    txtpath->setMaxLength(kTypedLimit);
    txtpath->setAccessibleName(QStringLiteral("Web address"));

    MakeOkButton(Frame1, 3840, 1080);
    connect(Image9, &PictureButton::clicked, this, &Form6::Image9_Click);
    WatchMouseMoves(Frame1, [this] { Frame1_MouseMove(); });
    PressOkOnReturn(txtpath, false);
    txtpath->setFocus(); // typing starts here when the editor opens

    Form_Load();
}

void Form6::Form_Load() {
    txtpath->setText(kPrefix);
}

void Form6::Form_Activate() {
    SetLook(Frame1);
    DisableOtherWindows();
}

void Form6::Form_Unload() {
    if (txtpath->text().isEmpty() || txtpath->text() == kPrefix) {
        ClearTaskKind();
    }
    EnableOtherWindows();
}

void Form6::Image9_Click() {
    if (txtpath->text() == kPrefix) {
        ShowWarning(kBarePrefix);
        return;
    }
    m_task.Label8 = txtpath->text();
    close();
}

void Form6::Frame1_MouseMove() {
    Image9->setPicture(1);
}

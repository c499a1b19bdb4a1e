#include "editors/form7.h"

#include <algorithm>

namespace {

constexpr int kTypedLimit = 100;
const QString kEmptyPath = QStringLiteral("Please select or type the program Name.");

} // namespace

Form7::Form7(platform::Services& services, ScheduledTask& task, const QList<QWidget*>& windowsToDisable,
             QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_task(task) {
    setFixedSize(X(5400), Y(2040));

    Frame1 = new QGroupBox(QStringLiteral("Type the Name or Path of the program"), this);
    Frame1->setGeometry(X(120), Y(120), X(5160), Y(1800));
    txtpath = new QLineEdit(Frame1);
    txtpath->setGeometry(X(240), Y(420), X(3480), Y(345));
    txtpath->setMaxLength(kTypedLimit);
    txtpath->setAccessibleName(QStringLiteral("Program"));
    // Typing stops at 100 characters; a longer path from the dialog stays whole, and edits
    // may shorten it but never make it longer.
    connect(txtpath, &QLineEdit::textEdited, this, [this](const QString& text) {
        txtpath->setMaxLength(std::max(kTypedLimit, static_cast<int>(text.size())));
    });

    Command1 = new QPushButton(QStringLiteral("Browse"), Frame1);
    Command1->setToolTip(QStringLiteral("Browse for Programs"));
    Command1->setGeometry(X(3840), Y(390), X(1080), Y(405));
    Command1->setAutoDefault(true); // Return presses it too, as Space does
    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);

    MakeOkButton(Frame1, 3840, 1080);
    connect(Image9, &PictureButton::clicked, this, &Form7::Image9_Click);
    WatchMouseMoves(Frame1, [this] { Frame1_MouseMove(); });
    PressOkOnReturn(txtpath, false);
    txtpath->setFocus(); // typing starts here when the editor opens

    Form_Load();
}

QStringList Form7::BrowseFilters() {
    // Programs on this system carry no name extension: any file may be one.
    return {QStringLiteral("Programs (*)"), QStringLiteral("Shell scripts (*.sh)")};
}

void Form7::Form_Load() {
    SetLook(Frame1);
    txtpath->clear();
}

void Form7::Form_Activate() {
    DisableOtherWindows();
}

void Form7::Form_Unload() {
    if (txtpath->text().isEmpty()) {
        ClearTaskKind();
    }
    EnableOtherWindows();
}

void Form7::Command1_Click() {
    if (m_services.fileDialog) {
        const QString chosen = m_services.fileDialog->getOpenFileName(this, Cdg1_FileName, BrowseFilters());
        if (!chosen.isEmpty()) {
            Cdg1_FileName = chosen;
        }
    }
    txtpath->setMaxLength(std::max(kTypedLimit, static_cast<int>(Cdg1_FileName.size())));
    txtpath->setText(Cdg1_FileName);
}

void Form7::Image9_Click() {
    if (txtpath->text().isEmpty()) {
        ShowWarning(kEmptyPath);
        return;
    }
    m_task.lblexe = txtpath->text();
    close();
}

void Form7::Frame1_MouseMove() {
    Image9->setPicture(1);
}

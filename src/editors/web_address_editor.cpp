#include "editors/web_address_editor.h"

#include "editors/first_line_only.h"

namespace {

constexpr int kTypedLimit = 100;
const QString kPrefix = QStringLiteral("http://");
const QString kBarePrefix = QStringLiteral("Please type the URL.");

} // namespace

WebAddressEditor::WebAddressEditor(platform::Services& services, core::AppState& state,
                                   const QList<QWidget*>& windowsToDisable, QComboBox* kindBox)
    : EditorWindow(services, windowsToDisable, kindBox), m_state(state) {
    setFixedSize(pixelsAcross(5400), pixelsDown(2040));
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QStringLiteral("Visit Website editor"));

    addressFrame = new QGroupBox(QStringLiteral("Type URL (Web  Address)"), this);
    addressFrame->setGeometry(pixelsAcross(120), pixelsDown(120), pixelsAcross(5160), pixelsDown(1800));
    addressBox = new QLineEdit(addressFrame);
    addressBox->setGeometry(pixelsAcross(240), pixelsDown(420), pixelsAcross(4680), pixelsDown(345));
    addressBox->setMaxLength(kTypedLimit);
    FirstLineOnly::apply(addressBox);
    addressBox->setAccessibleName(QStringLiteral("Web address"));

    makeOkButton(addressFrame, 3840, 1080);
    connect(okButton, &PictureButton::clicked, this, &WebAddressEditor::accept);
    watchMouseMoves(addressFrame, [this] { restoreOk(); });
    pressOkOnReturn(addressBox, false);
    addressBox->setFocus(); // typing starts here when the editor opens

    load();
}

void WebAddressEditor::load() {
    addressBox->setText(kPrefix);
}

void WebAddressEditor::activate() {
    setLook(addressFrame);
    disableOtherWindows();
}

void WebAddressEditor::unload() {
    if (addressBox->text().isEmpty() || addressBox->text() == kPrefix) {
        clearTaskKind();
    }
    enableOtherWindows();
}

void WebAddressEditor::accept() {
    if (addressBox->text() == kPrefix) {
        showWarning(kBarePrefix);
        return;
    }
    m_state.changeTask([this](ScheduledTask& task) { task.webAddress = addressBox->text().toStdString(); });
    close();
}

void WebAddressEditor::restoreOk() {
    okButton->setPicture(1);
}

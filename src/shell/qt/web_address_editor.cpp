#include "shell/qt/web_address_editor.h"

#include "shell/qt/control_names.h"
#include "shell/qt/first_line_only.h"

namespace qtshell {

WebAddressEditor::WebAddressEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::WebAddressOk, core::HoverSurface::WebAddressFrame),
      m_rules(*this, context) {
    setFixedSize(pixelsAcross(5400), pixelsDown(2040));
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QStringLiteral("Visit Website editor"));

    addressFrame = new QGroupBox(QStringLiteral("Type URL (Web  Address)"), this);
    addressFrame->setGeometry(pixelsAcross(120), pixelsDown(120), pixelsAcross(5160), pixelsDown(1800));
    addressBox = new QLineEdit(addressFrame);
    addressBox->setGeometry(pixelsAcross(240), pixelsDown(420), pixelsAcross(4680), pixelsDown(345));
    addressBox->setMaxLength(static_cast<int>(core::WebAddressEditor::kTypedLimit));
    FirstLineOnly::apply(addressBox);
    addressBox->setAccessibleName(QStringLiteral("Web address"));

    makeOkButton(addressFrame, 3840, 1080);
    connect(okButton, &PictureButton::clicked, this, &WebAddressEditor::accept);
    watchMouseMoves(addressFrame);
    pressOkOnReturn(addressBox, false);
    addressBox->setFocus(); // typing starts here when the editor opens

    load();
    nameControls({{addressFrame, "addressFrame"}, {addressBox, "addressBox"}});
}

} // namespace qtshell

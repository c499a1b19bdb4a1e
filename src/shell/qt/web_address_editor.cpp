#include "shell/qt/web_address_editor.h"

#include "shell/qt/control_names.h"
#include "shell/qt/first_line_only.h"

namespace {

namespace design = core::design::web_address_editor;

} // namespace

namespace qtshell {

WebAddressEditor::WebAddressEditor(const core::EditorContext& context)
    : EditorWindow(context.services, core::HoverButton::WebAddressOk, core::HoverSurface::WebAddressFrame),
      m_rules(*this, context) {
    setFixedSize(pixels(design::kEditor.client).size());
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(QString::fromUtf8(design::kEditor.accessibleName));

    addressFrame = new QGroupBox(QString::fromUtf8(design::kEditor.frameText), this);
    addressFrame->setGeometry(pixels(design::kEditor.frame));
    addressBox = new QLineEdit(addressFrame);
    addressBox->setGeometry(pixels(design::kAddressBox, design::kEditor.frame));
    addressBox->setMaxLength(static_cast<int>(core::WebAddressEditor::kTypedLimit));
    FirstLineOnly::apply(addressBox);
    addressBox->setAccessibleName(QString::fromUtf8(design::kAddressName));

    makeOkButton(addressFrame, design::kEditor, design::kEditor.frame);
    connect(okButton, &PictureButton::clicked, this, &WebAddressEditor::accept);
    watchMouseMoves(addressFrame);
    pressOkOnReturn(addressBox, false);
    addressBox->setFocus(); // typing starts here when the editor opens

    load();
    nameControls({{addressFrame, "addressFrame"}, {addressBox, "addressBox"}});
}

} // namespace qtshell

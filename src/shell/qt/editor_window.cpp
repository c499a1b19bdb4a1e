#include "shell/qt/editor_window.h"

#include "core/app_title.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace qtshell {

EditorWindow::EditorWindow(platform::Services& services, core::HoverButton okHover,
                           core::HoverSurface okSurface)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_services(services),
      m_okHover(okHover), m_okSurface(okSurface) {
    // No parent widget: disabling the other windows must not disable the editor with them.
    setAttribute(Qt::WA_DeleteOnClose);
    if (m_services.screen) {
        m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
        m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    }
}

int EditorWindow::pixelsAcross(double twips) const {
    return twipsToPixels(twips, m_twipsPerPixelX);
}
int EditorWindow::pixelsDown(double twips) const {
    return twipsToPixels(twips, m_twipsPerPixelY);
}

QRect EditorWindow::pixels(const core::design::Rect& twips, const core::design::Rect& within) const {
    return {pixelsAcross(twips.left - within.left), pixelsDown(twips.top - within.top),
            pixelsAcross(twips.width), pixelsDown(twips.height)};
}

void EditorWindow::setLook(QWidget* frame) {
    setWindowTitle(QString::fromStdString(core::kAppTitle));
    for (QWidget* surface : {static_cast<QWidget*>(this), frame}) {
        setDesignColours(surface, kDesignBackground);
    }
}

void EditorWindow::makeOkButton(QWidget* parent, const core::design::task_editors::Editor& look,
                                const core::design::Rect& within) {
    const QRect place = pixels(look.ok, within);
    const QSize size = place.size();
    // The editor's image list: 1 the normal picture, 2 the highlighted one.
    okButton = new PictureButton(parent);
    okButton->setPictures({renderPicture(QStringLiteral(":/pictures/ok_normal.svg"), size),
                           renderPicture(QStringLiteral(":/pictures/ok_highlighted.svg"), size)});
    showButtonPicture(m_okHover, core::ButtonLook::Normal);
    okButton->setGeometry(place);
    okButton->setAccessibleName(QString::fromUtf8(core::design::task_editors::kOkName));
    connect(okButton, &PictureButton::mouseMoved, this, &EditorWindow::highlightOk);
    nameControls({{okButton, "okButton"}});
}

void EditorWindow::highlightOk() {
    core::highlightButton(*this, m_okHover);
}

void EditorWindow::restoreOk() {
    core::restoreButtons(*this, m_okSurface);
}

void EditorWindow::showButtonPicture(core::HoverButton, core::ButtonLook look) {
    okButton->setPicture(look == core::ButtonLook::Highlighted ? 2 : 1);
}

void EditorWindow::watchMouseMoves(QWidget* surface) {
    m_mouseSurface = surface;
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
}

void EditorWindow::pressOkOnReturn(QWidget* box, bool needsControl) {
    m_returnBox = box;
    m_returnNeedsControl = needsControl;
    box->installEventFilter(this);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mouseSurface && event->type() == QEvent::MouseMove) {
        restoreOk();
    }
    if (watched == m_returnBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers wanted = m_returnNeedsControl ? Qt::ControlModifier : Qt::NoModifier;
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The keypad's Enter carries its own modifier.
        if (isReturn && (key->modifiers() & ~Qt::KeypadModifier) == wanted) {
            okButton->press();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EditorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        activate();
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    unload();
    m_closed = true;
    event->accept();
}

} // namespace qtshell

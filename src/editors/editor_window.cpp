#include "editors/editor_window.h"

#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/pictures.h"
#include "common/twips.h"
#include "common/window_blocking.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {

constexpr int kOkWidthTwips = 1080;
constexpr int kOkHeightTwips = 480;

} // namespace

EditorWindow::EditorWindow(platform::Services& services, const QList<QWidget*>& windowsToDisable,
                           QComboBox* kindBox)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_services(services),
      m_kindBox(kindBox) {
    // No parent widget: disabling the other windows must not disable the editor with them.
    setAttribute(Qt::WA_DeleteOnClose);
    for (QWidget* window : windowsToDisable) {
        m_windowsToDisable.append(window);
    }
    if (m_services.screen) {
        m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
        m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    }
}

int EditorWindow::X(double twips) const {
    return TwipsToPixels(twips, m_twipsPerPixelX);
}
int EditorWindow::Y(double twips) const {
    return TwipsToPixels(twips, m_twipsPerPixelY);
}

void EditorWindow::SetLook(QWidget* frame) {
    setWindowTitle(kAppTitle);
    for (QWidget* surface : {static_cast<QWidget*>(this), frame}) {
        SetDesignColours(surface, kDesignBackground);
    }
}

void EditorWindow::DisableOtherWindows() {
    for (const QPointer<QWidget>& window : m_windowsToDisable) {
        if (window) {
            BlockWindow(window);
        }
    }
}

void EditorWindow::EnableOtherWindows() {
    for (const QPointer<QWidget>& window : m_windowsToDisable) {
        if (window) {
            FreeWindow(window);
        }
    }
}

void EditorWindow::ClearTaskKind() {
    if (!m_kindBox) {
        return;
    }
    // No item is chosen any more: the next arrow key starts from the top of the list.
    m_kindBox->setCurrentIndex(-1);
    if (m_kindBox->isEditable()) {
        m_kindBox->setEditText(QString());
    }
}

void EditorWindow::ShowWarning(const QString& text) {
    m_services.messages->show(text, kAppTitle, platform::MessageIcon::Exclamation);
}

void EditorWindow::MakeOkButton(QWidget* parent, int leftTwips, int topTwips) {
    const QSize size(X(kOkWidthTwips), Y(kOkHeightTwips));
    // The editor's image list: 1 the normal picture, 2 the highlighted one.
    Image9 = new PictureButton(parent);
    Image9->setPictures({RenderPicture(QStringLiteral(":/pictures/ok_normal.svg"), size),
                         RenderPicture(QStringLiteral(":/pictures/ok_highlighted.svg"), size)});
    Image9->setPicture(1);
    Image9->setGeometry(X(leftTwips), Y(topTwips), size.width(), size.height());
    Image9->setAccessibleName(QStringLiteral("OK"));
    connect(Image9, &PictureButton::mouseMoved, this, &EditorWindow::Image9_MouseMove);
}

void EditorWindow::Image9_MouseMove() {
    Image9->setPicture(2);
}

void EditorWindow::WatchMouseMoves(QWidget* surface, std::function<void()> handler) {
    m_mouseSurface = surface;
    m_mouseHandler = std::move(handler);
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
}

void EditorWindow::PressOkOnReturn(QWidget* box, bool needsControl) {
    m_returnBox = box;
    m_returnNeedsControl = needsControl;
    box->installEventFilter(this);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mouseSurface && event->type() == QEvent::MouseMove && m_mouseHandler) {
        m_mouseHandler();
    }
    if (watched == m_returnBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers wanted = m_returnNeedsControl ? Qt::ControlModifier : Qt::NoModifier;
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The keypad's Enter carries its own modifier.
        if (isReturn && (key->modifiers() & ~Qt::KeypadModifier) == wanted) {
            Image9->press();
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
        Form_Activate();
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    m_closed = true;
    event->accept();
}

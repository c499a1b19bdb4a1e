#pragma once

#include "core/about_window.h"
#include "platform/services.h"
#include "shell/qt/picture_button.h"

#include <QLabel>
#include <QWidget>

namespace qtshell {

/// The About window's controls: a private base of the window, as a form class of Qt Designer is. The window
/// keeps them to itself; the tests find them by their names.
struct AboutWindowControls {
    QLabel* iconPicture = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* purposeLabel = nullptr;
    QLabel* makerLabel = nullptr;
    PictureButton* webLink = nullptr;
};

/// The About window: the program's name, version and purpose, its maker and the web link; a
/// view over core::AboutWindow. Shown modeless, it blocks the main window, the Options and
/// Schedule Task window and the alert editor while it is up, and frees them again when it
/// closes (close box or Escape).
class AboutWindow final : public QWidget, public core::AboutWindowView, private AboutWindowControls {
    Q_OBJECT

public:
    /// blocker finds (or makes hidden) the windows the About window blocks.
    AboutWindow(platform::Services& services, core::WindowBlocker& blocker);

    /// The first colours, as the window is loaded.
    void load() { m_rules.load(); }
    /// Each time the window becomes the active one: its own colours, the other windows blocked.
    void activate() { m_rules.activate(); }
    /// When it closes: the other windows free again, in order.
    void unload() { m_rules.unload(); }
    /// The web link: the maker's site in the default browser.
    void openWebAddress() { m_rules.openWebAddress(); }

    // core::AboutWindowView
    void showLook(core::AboutLook look) override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setColours(const QColor& background, const QColor& text);

    core::AboutWindow m_rules;
};

} // namespace qtshell

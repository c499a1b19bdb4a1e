#pragma once

#include "common/picture_button.h"
#include "platform/services.h"

#include <QLabel>
#include <QList>
#include <QWidget>

#include <functional>

/// The About window: the program's name, version and purpose, its maker and the web link.
/// Shown modeless, it blocks the main window, the Options and Schedule Task window and the
/// alert editor while it is up, and frees them again when it closes (close box or Escape).
class AboutWindow final : public QWidget {
    Q_OBJECT

public:
    /// One window the About window blocks: the window, or null when it does not exist; with
    /// createMissing, a missing one is made (and loaded) hidden.
    using BlockedWindow = std::function<QWidget*(bool createMissing)>;

    /// blockedWindows: the main window, the Options and Schedule Task window and the alert
    /// editor, in that order.
    AboutWindow(platform::Services& services, QList<BlockedWindow> blockedWindows);

    /// The first colours, as the window is loaded.
    void load();
    /// Each time the window becomes the active one: its own colours, the other windows blocked.
    void activate();
    /// When it closes: the other windows free again, in order.
    void unload();
    /// The web link: the maker's site in the default browser.
    void openWebAddress();

    QLabel* iconPicture = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* purposeLabel = nullptr;
    QLabel* makerLabel = nullptr;
    PictureButton* webLink = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setColours(const QColor& background, const QColor& text);

    platform::Services& m_services;
    QList<BlockedWindow> m_blockedWindows;
};

#include "app/window_launcher.h"

#include "scheduler/schedule_page.h"

WindowLauncher::WindowLauncher(QWidget& mainWindow, platform::Services& services, core::SettingsStore& settings,
                               core::AppState& state)
    : m_mainWindow(mainWindow), m_services(services), m_settings(settings), m_state(state) {}

WindowLauncher::~WindowLauncher() {
    delete m_aboutWindow;
    delete m_optionsWindow;
}

EditorContext WindowLauncher::editorContext() {
    return EditorContext{.services = m_services,
                         .state = m_state,
                         .soundFolder = QString::fromStdString(m_state.soundFolder()),
                         .mainWindow = &m_mainWindow,
                         .optionsWindow = m_optionsWindow,
                         .aboutWindow = m_aboutWindow,
                         .kindBox = m_kindBox};
}

OptionsWindow& WindowLauncher::openOptionsWindow() {
    if (m_optionsWindow == nullptr) {
        m_optionsWindow = new OptionsWindow(m_services, m_settings, m_state);
        m_optionsWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_optionsWindow->setShowAbout([this] { openAbout(); });
        // An alert editor that the About window loaded hidden belongs to this window's kind box.
        QObject::connect(m_optionsWindow, &QObject::destroyed, &m_mainWindow, [] {
            EditorWindow* loaded = findTaskEditor(QStringLiteral("Alert"));
            if (loaded != nullptr && !loaded->isVisible()) {
                loaded->close();
            }
        });
        auto* page = new SchedulePage(m_state, m_services);
        m_kindBox = page->kindBox;
        page->setStatusPanels(m_optionsWindow->panel(1), m_optionsWindow->panel(2));
        page->setOpenEditor([this](const QString& kind) { openTaskEditor(kind, editorContext()); });
        m_optionsWindow->setSchedulePage(page,
                                         {.fillTaskKinds = [page] { page->fillKinds(); },
                                          .copyScheduledTask = [page] { page->copyTask(); },
                                          .showScheduleStatus = [page] { page->showScheduleStatus(); }});
        m_optionsWindow->load();
    }
    return *m_optionsWindow;
}

void WindowLauncher::openAbout() {
    if (m_aboutWindow == nullptr) {
        // The windows it blocks, in order; a missing one is made hidden for it.
        m_aboutWindow = new AboutWindow(
            m_services, {[this](bool) -> QWidget* { return &m_mainWindow; },
                         [this](bool create) -> QWidget* {
                             return create ? &openOptionsWindow() : m_optionsWindow.data();
                         },
                         [this](bool create) -> QWidget* {
                             if (create) {
                                 openOptionsWindow();
                                 return loadTaskEditor(QStringLiteral("Alert"), editorContext());
                             }
                             return findTaskEditor(QStringLiteral("Alert"));
                         }});
    }
    m_aboutWindow->show();
    m_aboutWindow->raise();
    m_aboutWindow->activateWindow();
}

#include "shell/qt/window_launcher.h"

#include "shell/qt/schedule_page.h"

namespace qtshell {

WindowLauncher::WindowLauncher(QWidget& mainWindow, platform::Services& services,
                               core::SettingsStore& settings, core::AppState& state)
    : m_mainWindow(mainWindow), m_services(services), m_settings(settings), m_state(state) {
    // A window the rules block that does not exist is made hidden only when they ask for it
    // (the About window makes the Options window and the alert editor).
    m_blocker.setWindow(core::Window::Main, [this](bool) -> QWidget* { return &m_mainWindow; });
    m_blocker.setWindow(core::Window::Options, [this](bool create) -> QWidget* {
        return create ? &openOptionsWindow() : m_optionsWidget.data();
    });
    m_blocker.setWindow(core::Window::AlertEditor, [this](bool create) -> QWidget* {
        return create ? loadTaskEditor(core::TaskKind::Alert, editorContext())
                      : findTaskEditor(core::TaskKind::Alert);
    });
    m_blocker.setWindow(core::Window::About, [this](bool) -> QWidget* { return m_aboutWindow.data(); });
    m_blocker.setWindow(core::Window::ProgramEditor,
                        [](bool) -> QWidget* { return findTaskEditor(core::TaskKind::RunProgram); });
    m_blocker.setWindow(core::Window::WebAddressEditor,
                        [](bool) -> QWidget* { return findTaskEditor(core::TaskKind::VisitWebsite); });
}

WindowLauncher::~WindowLauncher() {
    delete m_aboutWindow;
    delete m_optionsWindow;
}

core::EditorContext WindowLauncher::editorContext() {
    return {m_services, m_state, m_blocker, [this] {
                if (m_schedulePage) {
                    m_schedulePage->clearKind();
                }
            }};
}

OptionsWindow& WindowLauncher::openOptionsWindow() {
    if (m_optionsWindow == nullptr) {
        m_optionsWindow = new OptionsWindow(m_services, m_settings, m_state, m_timers);
        m_optionsWidget = m_optionsWindow.data();
        m_optionsWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_optionsWindow->setShowAbout([this] { openAbout(); });
        QObject::connect(m_optionsWindow, &QObject::destroyed, &m_mainWindow,
                         [this] { core::closeTiedWindows(m_blocker, core::Window::Options); });
        auto* page = new SchedulePage(m_state, m_services);
        m_schedulePage = page;
        page->setOpenEditor(
            [this](core::TaskKind kind) { openTaskEditor(kind, editorContext(), m_optionsWidget); });
        m_optionsWindow->setSchedulePage(page);
        m_optionsWindow->load();
    }
    return *m_optionsWindow;
}

void WindowLauncher::openAbout() {
    if (m_aboutWindow == nullptr) {
        m_aboutWindow = new AboutWindow(m_services, m_blocker);
    }
    m_aboutWindow->show();
    m_aboutWindow->raise();
    m_aboutWindow->activateWindow();
}

} // namespace qtshell

#include "shell/app.h"

#include "shell/effects.h"
#include "shell/singleinstance.h"
#include "ui/about/aboutwindow.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"

#include <QWidget>

#include <exception>

namespace tintwise {

void attempt(const std::function<void()> &step)
{
    try {
        step();
    } catch (...) {
        // Failures are never reported; the sequence goes on.
    }
}

App::App(Effects &effects, QObject *parent)
    : QObject(parent)
    , m_effects(effects)
{
}

App::~App()
{
    for (const QPointer<QWidget> &window : loadedWindows())
        delete window.data();
}

bool App::StartApplication(SingleInstance &instance)
{
    bool otherRunning = false;
    attempt([&] { otherRunning = instance.otherInstanceRunning(); });
    if (otherRunning) {
        attempt([&] { m_effects.inform(QStringLiteral("Application is already running")); });
        QuitApplication();
        return false;
    }
    attempt([&] { m_effects.seedRandom(); });
    attempt([&] { mainWindow()->show(); });
    return true;
}

MainWindow *App::mainWindow()
{
    if (!m_main) {
        m_main = new MainWindow(m_effects);
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_main, &MainWindow::unloading, this, &App::mainWindowUnloading);
        connect(m_main, &MainWindow::aboutRequested, this, [this] { showAboutBox(m_main); });
    }
    return m_main;
}

ExitWindow *App::exitWindow()
{
    if (!m_exit) {
        m_exit = new ExitWindow(m_effects, m_referral);
        m_exit->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_exit, &ExitWindow::exitRequested, this, &App::QuitApplication);
        connect(m_exit, &ExitWindow::unloading, this, &App::exitWindowUnloading);
    }
    return m_exit;
}

void App::hideExitScreen()
{
    attempt([&] { exitWindow()->hide(); });
}

void App::handOverToExitScreen()
{
    if (m_quitting)
        return;
    attempt([&] {
        ExitWindow *exit = exitWindow();
        exit->show();
        exit->activateWindow();
    });
}

void App::exitWindowUnloading()
{
    m_exit = nullptr;
    // Leaving the exit screen leaves the program; inside the quit routine this is the tolerated re-entry.
    attempt([&] { QuitApplication(); });
}

void App::showAboutBox(QWidget *caller)
{
    attempt([&] {
        auto *about = new AboutWindow(m_effects, caller);
        about->setAttribute(Qt::WA_DeleteOnClose);
        m_about = about;
        about->exec(); // deletes the box once it is closed
    });
}

void App::mainWindowUnloading()
{
    QWidget *window = m_main;
    // Forget it now: the next touch loads a fresh window, though this one is deleted only later.
    m_main = nullptr;
    if (!window)
        return;
    handOverToExitScreen();
}

QList<QPointer<QWidget>> App::loadedWindows() const
{
    QList<QPointer<QWidget>> windows;
    if (m_about)
        windows << QPointer<QWidget>(m_about.data());
    if (m_main)
        windows << QPointer<QWidget>(m_main.data());
    if (m_exit)
        windows << QPointer<QWidget>(m_exit.data());
    return windows;
}

void App::QuitApplication()
{
    m_quitting = true;
    for (const QPointer<QWidget> &window : loadedWindows()) {
        if (m_ended)
            return; // an inner call ended the process
        if (!window || m_unloading.contains(window))
            continue;
        m_unloading.insert(window);
        attempt([&] { window->close(); });
    }
    if (m_ended)
        return;
    m_ended = true;
    m_effects.endProcess();
}

} // namespace tintwise

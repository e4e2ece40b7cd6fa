#include "shell/app.h"

#include "links/promotion.h"
#include "shell/effects.h"
#include "shell/settingsstore.h"
#include "shell/singleinstance.h"
#include "shell/updatereminder.h"
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
    attempt([&] {
        SettingsStore store;
        RemindOfUpdate(m_effects, store);
    });
    attempt([&] { mainWindow()->show(); });
    attempt([&] { CoBrand_Randomize(); });
    return true;
}

void App::CoBrand_Randomize()
{
    m_intCoBrandRandomNumber = CoBrandNumber(m_effects.random());
    switch (coBrandOfferFor(m_intCoBrandRandomNumber)) {
    case CoBrandOffer::CoBrand:
        mainWindow()->coBrandLabel()->raise();
        break;
    case CoBrandOffer::FullBrand:
        mainWindow()->fullBrandLabel()->raise();
        break;
    case CoBrandOffer::Unchanged:
        break;
    }
}

MainWindow *App::mainWindow()
{
    if (!m_main) {
        m_main = new MainWindow(m_effects);
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_main, &MainWindow::unloading, this, &App::mainWindowUnloading);
    }
    return m_main;
}

void App::mainWindowUnloading()
{
    QWidget *window = m_main;
    // Forget it now: the next touch loads a fresh window, though this one is deleted only later.
    m_main = nullptr;
    if (m_quitting || !window)
        return;
    // Until the exit screen takes over, closing the main window leaves the program.
    attempt([&] { QuitApplication(); });
}

QList<QPointer<QWidget>> App::loadedWindows() const
{
    QList<QPointer<QWidget>> windows;
    if (m_main)
        windows << QPointer<QWidget>(m_main.data());
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

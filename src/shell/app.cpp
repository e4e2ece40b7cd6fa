#include "shell/app.h"

#include "links/promotion.h"
#include "reading/draw.h"
#include "system/effects.h"
#include "system/settingsstore.h"
#include "system/singleinstance.h"
#include "system/updatereminder.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/attempt.h"
#include "ui/common/labels.h"
#include "ui/common/sitebands.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QScopeGuard>
#include <QWidget>

#include <exception>
#include <utility>

namespace tintwise {

App::App(Effects &effects, QObject *parent)
    : QObject(parent)
    , m_effects(effects)
{
}

App::~App()
{
    for (const QPointer<QWidget> &window : std::as_const(m_created))
        delete window.data();
}

void App::adopt(QWidget *window)
{
    // A closed window is unloaded: the next touch loads a fresh one.
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_created.removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });
    m_created << QPointer<QWidget>(window);
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
    m_intCoBrandRandomNumber = coBrandNumber(m_effects.random());
    switch (coBrandOfferFor(m_intCoBrandRandomNumber)) {
    case CoBrandOffer::CoBrand:
        bringOfferToFront(mainWindow()->coBrandLabel());
        break;
    case CoBrandOffer::FullBrand:
        bringOfferToFront(mainWindow()->fullBrandLabel());
        break;
    case CoBrandOffer::Unchanged:
        break;
    }
}

MainWindow *App::mainWindow()
{
    if (!m_main) {
        m_main = new MainWindow(m_effects);
        adopt(m_main);
        connect(m_main, &MainWindow::unloading, this,
                [this] { readingWindowUnloading(std::exchange(m_main, nullptr)); });
        connect(m_main, &MainWindow::aboutRequested, this, [this] { showAboutBox(m_main); });
        // The draw runs from the event loop rather than inside the click, so that no handler of a window
        // closed and deleted during its wait is left on the stack.
        connect(m_main, &MainWindow::patchClicked, this, &App::runReading, Qt::QueuedConnection);
    }
    return m_main;
}

ExitWindow *App::exitWindow()
{
    if (!m_exit) {
        m_exit = new ExitWindow(m_effects, m_referral);
        adopt(m_exit);
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
        // The focus goes along only when the program had it: a close from a task bar or a pager leaves
        // another program's focus alone.
        if (QApplication::activeWindow())
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

ResultWindow *App::resultWindow()
{
    if (!m_result) {
        m_result = new ResultWindow(m_effects);
        adopt(m_result);
        connect(m_result, &ResultWindow::unloading, this,
                [this] { readingWindowUnloading(std::exchange(m_result, nullptr)); });
        connect(m_result, &ResultWindow::backRequested, this, &App::returnToMainWindow);
        connect(m_result, &ResultWindow::aboutRequested, this, [this] { showAboutBox(m_result); });
    }
    return m_result;
}

void App::runReading(int index)
{
    // One click, one result: Space on a focused patch can arrive during the wait, under the wait panel.
    // A click still queued when a modal box came up is dropped: the window takes no input under the box, and
    // a draw run inside the box's loop could close and delete the window under the menu that opened the box.
    if (m_drawing || !m_main || m_ended || QApplication::activeModalWidget())
        return;
    m_drawing = true;
    const auto drawEnds = qScopeGuard([this] { m_drawing = false; });

    // A main window closed during the wait (the user is leaving) ends the draw and is never touched again.
    // Asking m_main, not mainWindow(): touching the window would load a fresh one.
    const QPointer<MainWindow> main = m_main;
    const auto mainOpen = [this, main] { return main && main == m_main && !m_ended; };
    SelectionRecord &record = m_selection;

    attempt([&] { main->playWaitAnimation(mainOpen); });
    if (!mainOpen())
        return;
    attempt([&] {
        record.ChosenNumber = 0;
        record.DayColorIndex = 0;
        record.ProblemColorIndex = 0;
        record.SolutionColorIndex = 0;
    });
    attempt([&] {
        if (const auto number = chosenNumberFromText(main->numberChooser()->currentText()))
            record.ChosenNumber = *number;
    });
    attempt([&] { record.DayColorIndex = std::int16_t(index); });
    attempt([&] {
        const DrawnColours drawn = DrawColors(record.DayColorIndex, record.ChosenNumber);
        record.ProblemColorIndex = drawn.problem;
        record.SolutionColorIndex = drawn.solution;
    });
    attempt([&] { FillSelectionRecord(record); }); // an index out of range leaves the strings as they stand

    const QPointer<ResultWindow> result = resultWindow(); // the first reading loads it
    // A reveal still pausing on the window (Back, then this reading) must not bring its panel over this one.
    attempt([&] { result->cancelReveal(); });
    attempt([&] { result->fillReading(record); });
    attempt([&] { result->openOnDayPanel(); });
    attempt([&] { main->hide(); });
    hideExitScreen(); // the first reading loads the exit screen, which picks its support message then
    attempt([&] {
        result->show();
        result->activateWindow(); // keys go on to the window that replaced the one in use
    });
}

void App::returnToMainWindow()
{
    attempt([&] {
        if (m_result)
            m_result->hide();
    });
    attempt([&] {
        mainWindow()->show();
        mainWindow()->activateWindow();
    });
    hideExitScreen();
}

void App::readingWindowUnloading(QWidget *window)
{
    if (window)
        handOverToExitScreen();
}

QList<QPointer<QWidget>> App::loadedWindows() const
{
    QList<QPointer<QWidget>> windows;
    if (m_about)
        windows << QPointer<QWidget>(m_about.data());
    if (m_main)
        windows << QPointer<QWidget>(m_main.data());
    if (m_result)
        windows << QPointer<QWidget>(m_result.data());
    if (m_exit)
        windows << QPointer<QWidget>(m_exit.data());
    return windows;
}

void App::QuitApplication()
{
    m_quitting = true;
    // Closing the exit screen, last of all, calls in again: that inner call finds every window marked, and ends.
    for (const QPointer<QWidget> &window : loadedWindows()) {
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

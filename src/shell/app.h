#pragma once

#include "links/referral.h"
#include "reading/catalogue.h"

#include <QObject>
#include <QPointer>
#include <QSet>

class QWidget;

namespace tintwise {

class AboutWindow;
class Effects;
class ExitWindow;
class MainWindow;
class ResultWindow;
class SingleInstance;

/// The application shell: start-up, the set of loaded windows, the hand-over on close and the quit routine.
/// Each window is loaded on first touch (even only to hide it) and loaded afresh if touched after it was unloaded.
class App : public QObject
{
    Q_OBJECT
public:
    explicit App(Effects &effects, QObject *parent = nullptr);
    ~App() override;

    /// Runs the start-up steps; false when this process is a second instance and has been told to end.
    bool StartApplication(SingleInstance &instance);

    /// Unloads every loaded window once (their unload handlers run), then ends the process. Re-entrant.
    void QuitApplication();

    MainWindow *mainWindow();
    bool isMainWindowLoaded() const { return !m_main.isNull(); }
    ResultWindow *resultWindow();
    bool isResultWindowLoaded() const { return !m_result.isNull(); }

    /// Runs one reading for colour patch `index`, from the wait to the result window. It serves the patches'
    /// picColor_Click, queued from the event loop so that no handler of a closed window stays on the stack.
    void runReading(int index);

    /// The exit screen; loading it runs its preparation (it comes up topmost, not activated).
    ExitWindow *exitWindow();
    bool isExitWindowLoaded() const { return !m_exit.isNull(); }
    /// Hides the exit screen, loading it first if need be (the draw and Back ask this).
    void hideExitScreen();
    /// The unload handler of the main and the result window: the exit screen comes up, modeless.
    /// While the quit routine runs it shows nothing new: the process is ending.
    void handOverToExitScreen();

    /// Shows a fresh About box modally over `caller` and returns once it is closed.
    void showAboutBox(QWidget *caller);

    /// The Refer-A-Friend record, kept for the whole process.
    ReferralRecord &referral() { return m_referral; }

    /// The promotional draw of start-up: brings one of the main window's two offers to the front.
    /// Only the main window is touched.
    void CoBrand_Randomize();

    SelectionRecord &selection() { return m_selection; }

private:
    /// A reading window is closing. Its caller has forgotten it already, so the next touch loads a fresh
    /// window, though this one is deleted only later; `window` is null when it had been forgotten before.
    void readingWindowUnloading(QWidget *window);
    void exitWindowUnloading();
    /// Back on the result window, by its button or its File menu.
    void returnToMainWindow();
    QList<QPointer<QWidget>> loadedWindows() const;
    /// Keeps `window` to delete at the end, and has it deleted when it closes.
    void adopt(QWidget *window);

    Effects &m_effects;
    SelectionRecord m_selection;
    ReferralRecord m_referral;
    QPointer<MainWindow> m_main;
    QPointer<ExitWindow> m_exit;
    QPointer<AboutWindow> m_about;
    QPointer<ResultWindow> m_result;
    bool m_drawing = false;
    QSet<QWidget *> m_unloading;
    /// Every window loaded so far that still exists: closed ones await their deferred deletion, and all go
    /// with the shell at the latest, since they hold on to its effects.
    QList<QPointer<QWidget>> m_created;
    bool m_quitting = false;
    bool m_ended = false;
    qint16 m_intCoBrandRandomNumber = 0;
};

} // namespace tintwise

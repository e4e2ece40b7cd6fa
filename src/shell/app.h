#pragma once

#include "reading/catalogue.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QWidget;

namespace tintwise {

class Effects;
class MainWindow;
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

    /// The promotional draw of start-up: brings one of the main window's two offers to the front.
    /// Only the main window is touched.
    void CoBrand_Randomize();
    qint16 intCoBrandRandomNumber() const { return m_intCoBrandRandomNumber; }

    SelectionRecord &selection() { return m_selection; }
    /// True once the process end was requested (a test's replacement of the end returns).
    bool hasEnded() const { return m_ended; }

private:
    void mainWindowUnloading();
    QList<QPointer<QWidget>> loadedWindows() const;

    Effects &m_effects;
    SelectionRecord m_selection;
    QPointer<MainWindow> m_main;
    QSet<QWidget *> m_unloading;
    bool m_quitting = false;
    bool m_ended = false;
    qint16 m_intCoBrandRandomNumber = 0;
};

/// Runs one step of a sequence on its own: a step that fails is skipped and the next one runs.
void attempt(const std::function<void()> &step);

} // namespace tintwise

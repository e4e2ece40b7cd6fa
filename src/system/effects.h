#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

namespace tintwise {

/// The few things the program asks of the platform. Windows and routines get one instance passed in,
/// so tests can replace waiting, dialogs, the browser, the clipboard, the clock and the process end.
class Effects
{
public:
    virtual ~Effects() = default;

    /// Waits `seconds` of wall-clock time while window events keep running; returns at once for 0 or less.
    virtual void pause(int seconds) = 0;

    /// Modal message boxes titled with the application title.
    virtual void inform(const QString &text) = 0;
    virtual bool askYesNo(const QString &text) = 0;
    virtual void critical(const QString &text) = 0;

    /// Hands an address to the default browser without waiting; failures are not reported.
    virtual void openWebAddress(const QUrl &url) = 0;

    /// Empties the system clipboard; never blocks if another program holds it.
    virtual void clearClipboard() = 0;

    virtual QDate today() = 0;

    /// The process-wide random generator: reseeded from the timer, then r with 0 <= r < 1.
    virtual void seedRandom() = 0;
    virtual double random() = 0;

    /// Ends the process at once with exit code 0. A replacement may return; callers then stop their work.
    virtual void endProcess() = 0;
};

} // namespace tintwise

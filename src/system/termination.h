#pragma once

#include <QObject>

class QSocketNotifier;

namespace tintwise {

/// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered by the event loop, so that a request to end
/// takes the program's own way out instead of killing it in the middle of a handler. One per process.
class TerminationRequests : public QObject
{
    Q_OBJECT
public:
    explicit TerminationRequests(QObject *parent = nullptr);
    ~TerminationRequests() override;

    /// False when the signals could not be caught; the default ending then stays in place.
    bool isListening() const { return m_notifier != nullptr; }

signals:
    void requested(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tintwise

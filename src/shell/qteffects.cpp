#include "shell/qteffects.h"

#include "product.h"

#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tintwise {

void QtEffects::pause(int seconds)
{
    if (seconds <= 0)
        return;
    // A nested loop sleeps until the timer fires, so the window stays live without burning a core.
    // QTimer runs on the monotonic clock: midnight and clock changes do not matter. A coarse timer
    // may fire up to 5 % early or late, hence the precise one.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(std::chrono::seconds(seconds));
    loop.exec();
}

static int showMessage(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, kApplicationTitle, text, buttons);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

void QtEffects::inform(const QString &text)
{
    showMessage(QMessageBox::Information, text, QMessageBox::Ok);
}

bool QtEffects::askYesNo(const QString &text)
{
    return showMessage(QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtEffects::critical(const QString &text)
{
    showMessage(QMessageBox::Critical, text, QMessageBox::Ok);
}

void QtEffects::openWebAddress(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

void emptyClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    // Taking ownership never waits on the program that held the clipboard. It is taken with an empty
    // text, not with no data at all: some toolkit versions crash pasting a record that has no format or
    // none at all. The selection, pasted by a middle click, is emptied the same way.
    for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        if (mode == QClipboard::Selection && !clipboard->supportsSelection())
            continue;
        auto *empty = new QMimeData;
        empty->setText(QString());
        clipboard->setMimeData(empty, mode);
    }
}

void QtEffects::clearClipboard()
{
    emptyClipboard();
}

QDate QtEffects::today()
{
    return QDate::currentDate();
}

void QtEffects::seedRandom()
{
    m_engine.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

double QtEffects::random()
{
    // 53 random bits scaled into [0, 1): never 1 itself.
    return double(m_engine() >> 11) * 0x1.0p-53;
}

void QtEffects::endProcess()
{
    // Settings are written through as they change, so nothing is left to flush but the standard streams.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace tintwise

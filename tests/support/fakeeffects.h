#pragma once

#include "system/effects.h"

#include <QCoreApplication>
#include <QStringList>

#include <deque>
#include <functional>

namespace tintwise::test {

/// Records what the program asks of the platform. Waits run pending events and return at once,
/// so a whole reading takes milliseconds.
class FakeEffects : public Effects
{
public:
    void pause(int seconds) override
    {
        pauses.push_back(seconds);
        if (seconds <= 0)
            return;
        if (onPause)
            onPause(int(pauses.size()));
        QCoreApplication::processEvents();
    }
    void inform(const QString &text) override { messages << QStringLiteral("inform:") + text; }
    bool askYesNo(const QString &text) override
    {
        messages << QStringLiteral("ask:") + text;
        if (onAsk)
            onAsk(text);
        return answerYes;
    }
    void critical(const QString &text) override { messages << QStringLiteral("critical:") + text; }
    void openWebAddress(const QUrl &url) override { opened << url; }
    void clearClipboard() override { ++clipboardClears; }
    QDate today() override { return todayValue; }
    void seedRandom() override { ++seeds; }
    double random() override
    {
        if (randoms.empty())
            return 0.0;
        const double r = randoms.front();
        randoms.pop_front();
        return r;
    }
    void endProcess() override { ++ends; }

    std::vector<int> pauses;
    std::function<void(int)> onPause; // runs inside the n-th wait, as a user acting meanwhile
    QStringList messages;
    bool answerYes = false;
    std::function<void(const QString &)> onAsk; // runs while the question is up, before it is answered
    QList<QUrl> opened;
    int clipboardClears = 0;
    QDate todayValue{2026, 12, 8};
    int seeds = 0;
    std::deque<double> randoms;
    int ends = 0;
};

} // namespace tintwise::test

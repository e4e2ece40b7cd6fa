// Measures the way out: how long loading (and so preparing) the exit screen takes, and how long the
// referral address takes to build for large hostile fields. Run with QT_QPA_PLATFORM=offscreen or under a display.
#include "links/referral.h"
#include "shell/qteffects.h"
#include "ui/common/fonts.h"
#include "ui/exit/exitwindow.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    tintwise::registerFontSubstitutes();
    tintwise::QtEffects effects;

    double worstLoad = 0;
    for (int i = 0; i < 10; ++i) {
        tintwise::ReferralRecord record;
        QElapsedTimer clock;
        clock.start();
        tintwise::ExitWindow window(effects, record);
        QApplication::processEvents();
        worstLoad = std::max(worstLoad, clock.nsecsElapsed() / 1e6);
    }
    std::printf("exit screen load and preparation, worst of 10: %.2f ms\n", worstLoad);

    tintwise::ReferralRecord record;
    const QString hostile = QString(5000, QLatin1Char('&')) + QString(5000, QChar(0x00E9));
    record.ReferrerName = record.ReferralMessage = record.FriendName = hostile;
    record.ReferrerEmail = hostile + QStringLiteral("@a.example");
    record.FriendEmail = hostile + QStringLiteral("@b.example");
    QElapsedTimer clock;
    clock.start();
    const int rounds = 100;
    qsizetype length = 0;
    for (int i = 0; i < rounds; ++i)
        length = tintwise::referralUrl(record).toEncoded().size();
    std::printf("referral address of five 10 000-character fields: %.3f ms each, %lld bytes\n",
                clock.nsecsElapsed() / 1e6 / rounds, static_cast<long long>(length));
    return 0;
}

#include "links/promotion.h"
#include "shell/app.h"
#include "shell/qteffects.h"
#include "shell/settingscodec.h"
#include "shell/settingsstore.h"
#include "shell/singleinstance.h"
#include "support/fakeeffects.h"
#include "ui/main/mainwindow.h"

#include <QComboBox>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace tintwise;

class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startShowsTheMainWindowAfterSeeding();
    void reminderComesBeforeAnyWindowAndNeverKeepsTheMainWindowAway_data();
    void reminderComesBeforeAnyWindowAndNeverKeepsTheMainWindowAway();
    void drawBringsOneOfferOfTheMainWindowToTheFront_data();
    void drawBringsOneOfferOfTheMainWindowToTheFront();
    void drawShowsEachOfferInAboutHalfTheRuns();
    void secondInstanceIsToldAndEndsWhileTheFirstRuns();
    void closingTheMainWindowEndsTheProcessOnce();
    void windowTouchedAfterUnloadIsLoadedAfresh();

private:
    QTemporaryDir m_config; // the per-user store of these tests, never the user's own
};

void AppTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_config.isValid());
}

void AppTest::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QDir(m_config.filePath(QStringLiteral("Arcanel"))).removeRecursively();
}

void AppTest::startShowsTheMainWindowAfterSeeding()
{
    QTemporaryDir dir;
    test::FakeEffects effects;
    App app(effects);
    SingleInstance instance(dir.filePath(QStringLiteral("app.lock")));
    QVERIFY(app.StartApplication(instance));
    QVERIFY(app.mainWindow()->isVisible());
    QCOMPARE(effects.seeds, 1);
    QVERIFY(effects.messages.isEmpty());
    QCOMPARE(effects.ends, 0);
}

void AppTest::reminderComesBeforeAnyWindowAndNeverKeepsTheMainWindowAway_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<bool>("asks");
    QTest::newRow("15 days ago") << "date" << true;
    QTest::newRow("not a settings file") << "broken" << false;
}

void AppTest::reminderComesBeforeAnyWindowAndNeverKeepsTheMainWindowAway()
{
    QFETCH(QString, store);
    QFETCH(bool, asks);

    SettingsStore settings; // the one the program uses, named after this executable
    const QString file = m_config.filePath(QStringLiteral("Arcanel/%1.conf").arg(settings.applicationName()));
    if (store == QLatin1String("date")) {
        QVERIFY(settings.write(EncodeSettingText(QStringLiteral("Duration")), EncodeSettingText("2026-11-23")));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("[Settings\n\xff\xfe");
    }

    QTemporaryDir runtime;
    test::FakeEffects effects;
    App app(effects);
    bool windowShownWhileAsking = true;
    effects.onAsk = [&](const QString &) {
        windowShownWhileAsking = false;
        for (QWidget *window : QApplication::topLevelWidgets())
            windowShownWhileAsking = windowShownWhileAsking || window->isVisible();
    };
    SingleInstance instance(runtime.filePath(QStringLiteral("app.lock")));
    QVERIFY(app.StartApplication(instance));
    QVERIFY(app.mainWindow()->isVisible());
    QCOMPARE(effects.messages.size(), asks ? 1 : 0);
    if (asks)
        QVERIFY(!windowShownWhileAsking);
}

void AppTest::drawBringsOneOfferOfTheMainWindowToTheFront_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("front");

    QTest::newRow("r = 0") << 0.0 << 1 << "lblCobrand";
    QTest::newRow("r = 1/12") << 1.0 / 12 << 2 << "lblFullBrand";
    QTest::newRow("r = 0.3") << 0.3 << 3 << "lblCobrand";
    QTest::newRow("r = 0.5") << 0.5 << 4 << "lblFullBrand";
    QTest::newRow("r = 0.7") << 0.7 << 5 << "lblCobrand";
    QTest::newRow("r = 0.75") << 0.75 << 6 << "lblFullBrand";
    QTest::newRow("r = 0.99") << 0.99 << 7 << "lblCobrand"; // the stored order
}

void AppTest::drawBringsOneOfferOfTheMainWindowToTheFront()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(QString, front);

    QTemporaryDir runtime;
    test::FakeEffects effects;
    effects.randoms = {r};
    App app(effects);
    SingleInstance instance(runtime.filePath(QStringLiteral("app.lock")));
    QVERIFY(app.StartApplication(instance));
    QVERIFY(effects.randoms.empty());
    QCOMPARE(app.intCoBrandRandomNumber(), number);

    QWidget *cobrand = app.mainWindow()->coBrandLabel();
    QWidget *fullBrand = app.mainWindow()->fullBrandLabel();
    const QObjectList siblings = cobrand->parentWidget()->children();
    QWidget *inFront = siblings.indexOf(cobrand) > siblings.indexOf(fullBrand) ? cobrand : fullBrand;
    QCOMPARE(inFront->objectName(), front);
    // What the user sees in the shared place is the front offer.
    QCOMPARE(cobrand->parentWidget()->childAt(cobrand->geometry().center()), inFront);
}

void AppTest::drawShowsEachOfferInAboutHalfTheRuns()
{
    // Each run seeds the real generator from the timer and draws once, as start-up does.
    QtEffects effects;
    constexpr int runs = 4000;
    int coBranding = 0;
    for (int run = 0; run < runs; ++run) {
        effects.seedRandom();
        const CoBrandOffer offer = coBrandOfferFor(CoBrandNumber(effects.random()));
        coBranding += offer == CoBrandOffer::FullBrand ? 0 : 1;
    }
    // Half with a standard deviation of about 0.8 %: 5 % is far outside chance.
    QVERIFY2(qAbs(coBranding - runs / 2) < runs / 20, qPrintable(QString::number(coBranding)));
}

void AppTest::secondInstanceIsToldAndEndsWhileTheFirstRuns()
{
    // The first instance is the real program, holding its lock in a private runtime folder.
    QTemporaryDir runtime;
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime.path()); // it stores its reminder date there
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    first.setProcessEnvironment(env);
    first.start(qEnvironmentVariable("TINTWISE_EXECUTABLE"), {});
    QVERIFY(first.waitForStarted());
    const QString lock = runtime.filePath(QStringLiteral("ZorvelFreeTintwise.lock"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 10000);

    test::FakeEffects effects;
    App second(effects);
    SingleInstance instance(lock);
    QVERIFY(!second.StartApplication(instance));
    QCOMPARE(effects.messages, QStringList{QStringLiteral("inform:Application is already running")});
    QCOMPARE(effects.ends, 1);
    QVERIFY(!second.isMainWindowLoaded());

    QVERIFY(!first.waitForFinished(300));
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

void AppTest::closingTheMainWindowEndsTheProcessOnce()
{
    test::FakeEffects effects;
    App app(effects);
    app.mainWindow()->show();
    QVERIFY(app.mainWindow()->close());
    QCOMPARE(effects.ends, 1);
    QVERIFY(app.hasEnded());
    app.QuitApplication();
    QCOMPARE(effects.ends, 1);
}

void AppTest::windowTouchedAfterUnloadIsLoadedAfresh()
{
    test::FakeEffects effects;
    App app(effects);
    QPointer<MainWindow> first = app.mainWindow();
    QCOMPARE(app.mainWindow(), first.data());
    first->numberChooser()->setCurrentIndex(5);
    first->close();
    QVERIFY(!app.isMainWindowLoaded());
    MainWindow *fresh = app.mainWindow();
    QCOMPARE(fresh->numberChooser()->currentText(), QStringLiteral("1"));
    QTRY_VERIFY(first.isNull()); // the closed one is deleted, not leaked
}

QTEST_MAIN(AppTest)
#include "app_test.moc"

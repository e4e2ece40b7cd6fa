#include "links/promotion.h"
#include "links/sitelinks.h"
#include "shell/app.h"
#include "shell/qteffects.h"
#include "shell/settingscodec.h"
#include "shell/settingsstore.h"
#include "shell/singleinstance.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
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
    void closingTheMainWindowHandsOverToTheExitScreenPreparedOnce();
    void leavingTheExitScreenUnloadsEveryWindowOnce_data();
    void leavingTheExitScreenUnloadsEveryWindowOnce();
    void windowTouchedAfterUnloadIsLoadedAfresh();
    void aboutBoxIsModalOverTheMainWindow();
    void realProgramEndsWithCodeZeroThroughTheExitScreen();

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

void AppTest::closingTheMainWindowHandsOverToTheExitScreenPreparedOnce()
{
    test::FakeEffects effects;
    effects.randoms = {0.8, 0.1};
    App app(effects);
    QPointer<MainWindow> main = app.mainWindow();
    main->show();
    // The first draw hides the exit screen: that loads and prepares it, and it stays hidden.
    app.hideExitScreen();
    QPointer<ExitWindow> exit = app.exitWindow();
    QVERIFY(!exit->isVisible());
    QCOMPARE(exit->supportMessageNumber(), 3);
    app.hideExitScreen();
    main->close();
    QVERIFY(!app.isMainWindowLoaded());
    QCOMPARE(app.exitWindow(), exit.data()); // the same window and message, not prepared again
    QVERIFY(exit->isVisible());
    QCOMPARE(exit->supportMessageNumber(), 3);
    QCOMPARE(exit->focusWidget()->objectName(), QStringLiteral("cmdClose"));
    QCOMPARE(effects.seeds, 1);
    QCOMPARE(effects.ends, 0); // the run goes on until the exit screen is left
    QTRY_VERIFY(main.isNull());
}

void AppTest::leavingTheExitScreenUnloadsEveryWindowOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("mainStillLoaded");
    for (const char *how : {"Exit button", "Enter at once", "close control"}) {
        QTest::newRow(how) << how << false;
        QTest::addRow("%s, main window hidden", how) << how << true;
    }
}

void AppTest::leavingTheExitScreenUnloadsEveryWindowOnce()
{
    QFETCH(QString, how);
    QFETCH(bool, mainStillLoaded);
    test::FakeEffects effects;
    App app(effects);
    QPointer<MainWindow> main = app.mainWindow();
    main->show();
    QSignalSpy mainUnloads(main.data(), &MainWindow::unloading);
    if (mainStillLoaded) {
        // As after a draw: the main window hidden, the result window handing over on its close.
        main->hide();
        app.handOverToExitScreen();
    } else {
        main->close();
    }
    QPointer<ExitWindow> exit = app.exitWindow();
    QSignalSpy exitUnloads(exit.data(), &ExitWindow::unloading);
    if (how == QStringLiteral("Exit button")) {
        QTest::mouseClick(exit->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    } else if (how == QStringLiteral("Enter at once")) {
        exit->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(exit));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        exit->close();
    }

    QCOMPARE(effects.ends, 1);
    QCOMPARE(mainUnloads.count(), 1);
    QCOMPARE(exitUnloads.count(), 1);
    QVERIFY(!app.isMainWindowLoaded());
    QVERIFY(!app.isExitWindowLoaded()); // the main window's hand-over during the quit loads no second one
    QCOMPARE(effects.seeds, 1);
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

void AppTest::aboutBoxIsModalOverTheMainWindow()
{
    test::FakeEffects effects;
    App app(effects);
    MainWindow *main = app.mainWindow();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->numberChooser()->setCurrentIndex(7);

    QPointer<AboutWindow> box;
    bool modalOverMain = false;
    bool openAfterLink = false;
    // Runs inside the About box's own event loop, as the user would.
    QTimer::singleShot(0, [&] {
        box = qobject_cast<AboutWindow *>(QApplication::activeModalWidget());
        if (!box)
            return;
        modalOverMain = box->isModal() && box->parentWidget() == main;
        QTest::mouseClick(box->findChild<QLabel *>(QStringLiteral("Label5")), Qt::LeftButton, {}, QPoint(4, 4));
        openAfterLink = QApplication::activeModalWidget() == box;
        QTest::keyClick(box->okButton(), Qt::Key_Escape);
    });
    QTimer::singleShot(5000, [] { // a box that would not close must not hang the test
        if (QWidget *stuck = QApplication::activeModalWidget())
            stuck->hide();
    });
    main->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();

    QVERIFY(modalOverMain);
    QVERIFY(openAfterLink);
    QCOMPARE(effects.opened, QList<QUrl>{sitePageUrl(QStringLiteral("fully-branded"))});
    QVERIFY(box.isNull()); // closing unloads it: the next opening builds it afresh
    QVERIFY(main->isVisible() && main->isEnabled());
    QCOMPARE(main->numberChooser()->currentText(), QStringLiteral("8"));
    QVERIFY(!app.isExitWindowLoaded());
}

void AppTest::realProgramEndsWithCodeZeroThroughTheExitScreen()
{
    // The real program under a private X server, driven by synthetic keys as a user would.
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty())
        QSKIP("needs Xvfb and xdotool (Debian packages xvfb, xdotool)");

    QProcess server;
    server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QVERIFY(server.waitForStarted());
    auto stopServer = qScopeGuard([&] {
        server.terminate();
        server.waitForFinished(3000);
    });
    QByteArray number;
    QTRY_VERIFY_WITH_TIMEOUT((number += server.readAllStandardOutput()).endsWith('\n'), 10000);
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(qEnvironmentVariable("TINTWISE_EXECUTABLE"), {});
    QVERIFY(program.waitForStarted());
    auto stopProgram = qScopeGuard([&] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    });

    auto xdo = [&](const QStringList &arguments) {
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(xdotool, arguments);
        if (!tool.waitForFinished(10000)) {
            tool.kill();
            tool.waitForFinished();
        }
        return QString::fromLatin1(tool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    const QStringList visibleWindow{"search", "--sync", "--onlyvisible", "--name", "^Zorvel Tintwise v1\\.25$"};

    const QStringList main = xdo(visibleWindow);
    QCOMPARE(main.size(), 1);
    xdo({"windowfocus", "--sync", main.front()});
    xdo({"key", "Escape"}); // presses the main window's Exit

    QStringList exit;
    QTRY_VERIFY_WITH_TIMEOUT((exit = xdo(visibleWindow)).size() == 1 && exit != main, 10000);
    QCOMPARE(program.state(), QProcess::Running); // closing the main window does not end the run
    xdo({"windowfocus", "--sync", exit.front()});
    xdo({"key", "Return"}); // the focus is on the exit screen's "E&xit"

    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

QTEST_MAIN(AppTest)
#include "app_test.moc"

#include "shell/app.h"
#include "shell/singleinstance.h"
#include "support/fakeeffects.h"
#include "ui/main/mainwindow.h"

#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tintwise;

class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void startShowsTheMainWindowAfterSeeding();
    void secondInstanceIsToldAndEndsWhileTheFirstRuns();
    void closingTheMainWindowEndsTheProcessOnce();
    void windowTouchedAfterUnloadIsLoadedAfresh();
};

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

void AppTest::secondInstanceIsToldAndEndsWhileTheFirstRuns()
{
    // The first instance is the real program, holding its lock in a private runtime folder.
    QTemporaryDir runtime;
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), runtime.path());
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

// Run by the Wayland end-to-end test on weston's native platform, where a program may neither place its
// windows nor keep one above the others: the windows must still come up, work and end cleanly.
#include "shell/app.h"
#include "support/fakeeffects.h"
#include "system/singleinstance.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QPushButton>
#include <QtTest>

using namespace tintwise;

class WaylandWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    void readingThenExitEndsWithEveryWindowGone()
    {
        test::FakeEffects effects;
        effects.randoms = {0.5, 0.5, 0.5};
        App app(effects);
        SingleInstance instance(m_dir.filePath(QStringLiteral("app.lock")));
        QVERIFY(app.StartApplication(instance));
        QWidget *main = app.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QCOMPARE(main->minimumSize(), main->maximumSize());

        app.runReading(3);
        QPointer<QWidget> result = app.resultWindow();
        QVERIFY(QTest::qWaitForWindowExposed(result));
        QVERIFY(!main->isVisible());
        QCOMPARE(result->minimumSize(), result->maximumSize());

        result->close(); // its close control: the exit screen comes up
        QPointer<ExitWindow> exit = app.exitWindow();
        QVERIFY(QTest::qWaitForWindowExposed(exit));
        QVERIFY(exit->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(exit->size(), QSize(741, 315));

        QTest::mouseClick(exit->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
        QCOMPARE(effects.ends, 1);
        QTRY_VERIFY(result.isNull() && exit.isNull());
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(WaylandWindowsTest)
#include "wayland_windows_test.moc"

#include "shell/app.h"
#include "support/fakeeffects.h"
#include "ui/common/controls.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QtTest>

using namespace tintwise;

/// Work queued by a click, a patch's draw or a Next's reveal, meets a window that closed or a modal box that came
/// up before the event loop got to it. Each row is a sequence the soak once found.
class QueuedWorkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init()
    {
        m_effects = test::FakeEffects();
        m_app = new App(m_effects);
        m_app->mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->mainWindow()));
    }
    void cleanup() { delete std::exchange(m_app, nullptr); }

    void revealQueuedWhenTheResultWindowClosedIsDropped()
    {
        const QPointer<ResultWindow> result = readingShown();
        QVERIFY(result);
        const auto pausesBefore = m_effects.pauses.size();
        QTest::mouseClick(result->findChild<QWidget *>(QStringLiteral("cmdChoosenColor")), Qt::LeftButton);
        result->close(); // Exit before the event loop reached the queued reveal
        QCoreApplication::processEvents();
        QCOMPARE(m_effects.pauses.size(), pausesBefore); // no wait played on the closed window
        QVERIFY(!result || (result->isHidden() && result->frontPanel() == result->dayPanel()));
    }

    void workQueuedUnderAModalBoxIsDropped_data()
    {
        QTest::addColumn<bool>("reveal");
        QTest::newRow("a patch, then the About box before the draw began") << false;
        QTest::newRow("Next, then the About box before the reveal began") << true;
    }
    void workQueuedUnderAModalBoxIsDropped()
    {
        QFETCH(bool, reveal);
        QWidget *window = m_app->mainWindow();
        QWidget *press = m_app->mainWindow()->patch(4);
        if (reveal) {
            window = readingShown();
            QVERIFY(window);
            press = window->findChild<QWidget *>(QStringLiteral("cmdChoosenColor"));
        }
        const auto pausesBefore = m_effects.pauses.size();
        qsizetype pausesInsideTheBox = -1;
        QTimer::singleShot(0, [&] { // runs inside the box's own loop, after the queued work would have
            QTimer::singleShot(0, [&] {
                pausesInsideTheBox = m_effects.pauses.size() - pausesBefore;
                if (QWidget *box = QApplication::activeModalWidget())
                    box->close();
            });
        });
        QTest::mouseClick(press, Qt::LeftButton);
        window->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger(); // returns once the box closed
        QCoreApplication::processEvents();
        QCOMPARE(pausesInsideTheBox, 0);
        QCOMPARE(m_effects.pauses.size(), pausesBefore); // dropped, not merely put off
        QVERIFY(window->isVisible());
    }

private:
    ResultWindow *readingShown()
    {
        QTest::mouseClick(m_app->mainWindow()->patch(2), Qt::LeftButton);
        const bool shown =
            QTest::qWaitFor([this] { return m_app->isResultWindowLoaded() && m_app->resultWindow()->isVisible(); });
        return shown ? m_app->resultWindow() : nullptr;
    }

    test::FakeEffects m_effects;
    App *m_app = nullptr;
};

QTEST_MAIN(QueuedWorkTest)
#include "queuedwork_test.moc"

#include "support/fakeeffects.h"
#include "support/windows.h"
#include "ui/common/fonts.h"
#include "ui/common/windowsetup.h"

#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tintwise;

// Every window on a 1280 x 1024 screen at scale 2: a 640 x 512 desktop, smaller than most of them.
class PlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("expected");
        const QRect area(0, 0, 640, 512);
        QTest::newRow("fits: centred") << QSize(400, 300) << area << QPoint(120, 106);
        QTest::newRow("taller: top edge") << QSize(400, 536) << area << QPoint(120, 0);
        QTest::newRow("wider: left edge") << QSize(741, 315) << area << QPoint(0, 98);
        QTest::newRow("larger both ways") << QSize(900, 700) << area << QPoint(0, 0);
        QTest::newRow("exactly the area") << QSize(640, 512) << area << QPoint(0, 0);
        // A panel on the top or left, or a second screen to the left of the first.
        QTest::newRow("panel above, taller") << QSize(400, 536) << QRect(0, 32, 640, 480) << QPoint(120, 32);
        QTest::newRow("screen on the left, wider") << QSize(741, 315) << QRect(-640, 24, 640, 488) << QPoint(-640, 110);
    }
    void placement()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, available);
        QFETCH(QPoint, expected);
        QCOMPARE(placementOnScreen(size, available), expected);
    }

    void everyWindowKeepsItsTitleAndMenusOnScreen_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"frmMain", "frmDisplay", "frmAbout", "frmNagScreen2"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindowKeepsItsTitleAndMenusOnScreen()
    {
        QFETCH(QString, window);
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
        test::FakeEffects effects;
        effects.randoms = {0.5};
        ReferralRecord record;
        const std::unique_ptr<QWidget> widget = test::makeWindow(window, effects, record);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));

        const QRect available = widget->screen()->availableGeometry();
        QCOMPARE(available.size(), QSize(640, 512));
        const QRect frame = widget->frameGeometry();
        QVERIFY2(frame.top() >= available.top() && frame.left() >= available.left(),
                 qPrintable(QStringLiteral("%1,%2").arg(frame.left()).arg(frame.top())));
        // The frame, once known, is centred along each side where it fits, pinned to the top-left edge where it
        // does not.
        const QSize size = frame.size();
        const int x = size.width() <= available.width() ? (available.width() - size.width()) / 2 : 0;
        const int y = size.height() <= available.height() ? (available.height() - size.height()) / 2 : 0;
        QCOMPARE(frame.topLeft(), available.topLeft() + QPoint(x, y));
    }
};

int main(int argc, char **argv)
{
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1280, "height": 1024,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    registerFontSubstitutes();
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "placement_test.moc"

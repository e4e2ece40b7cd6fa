#include "links/sitelinks.h"
#include "shell/qteffects.h"
#include "support/fakeeffects.h"
#include "ui/common/controls.h"
#include "ui/main/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tintwise;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsFixedAndCentredWithItsCaption();
    void bandsAndPanelsSitWhereDesigned();
    void patchesFormTheWheelInCatalogueColours();
    void stackingPutsFramesAndButtonsInFront();
    void waitPanelStartsHiddenAndCoversTheWheel();
    void captionsKeepTheirSpacesAndAmpersands();
    void chooserHoldsOneToTwentyFour();
    void chooserSelectionSurvivesHidingAndShowing();
    void escAndEnterPressExit_data();
    void escAndEnterPressExit();
    void enterOnAFocusedButtonPressesThatButton();
    void tabFollowsTheDesignedOrder();
    void menusAndLabelsOpenTheirPages_data();
    void menusAndLabelsOpenTheirPages();
    void makeMoneyOnlineIsSwitchedOff();
    void patchClickReportsItsIndex();
    void pauseWaitsAboutOneSecondWhileEventsRun();
    void pauseOfZeroOrLessReturnsAtOnce();

private:
    QWidget *child(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }

    test::FakeEffects m_effects;
    MainWindow *m_window = nullptr;
};

void MainWindowTest::initTestCase()
{
    registerFontSubstitutes();
}

void MainWindowTest::init()
{
    m_effects = test::FakeEffects();
    m_window = new MainWindow(m_effects);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void MainWindowTest::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void MainWindowTest::windowIsFixedAndCentredWithItsCaption()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(629, 506));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->height(), 506 + m_window->menuBar()->height());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
}

void MainWindowTest::bandsAndPanelsSitWhereDesigned()
{
    QCOMPARE(child("Frame2")->geometry(), QRect(0, 0, 628, 41));
    QCOMPARE(child("Frame5")->geometry(), QRect(0, 448, 628, 57));
    QCOMPARE(child("fraOne")->geometry(), QRect(0, 40, 628, 409));
    QCOMPARE(child("cmdExit")->geometry(), QRect(536, 16, 84, 31));
    QCOMPARE(child("cmbNumber")->geometry(), QRect(552, 32, 57, 21));
    QCOMPARE(child("fraWait")->geometry(), QRect(272, 24, 345, 345));
    QCOMPARE(child("picMessage")->geometry(), QRect(64, 144, 225, 33));

    const QImage shot = m_window->centralWidget()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(5, 5)), QColor(0x80, 0x00, 0x80));     // banner
    QCOMPARE(QColor(shot.pixel(5, 500)), QColor(0x80, 0x00, 0x80));   // footer
    QCOMPARE(QColor(shot.pixel(600, 430)), QColor(0x40, 0x40, 0x40)); // ritual panel
    QCOMPARE(QColor(shot.pixel(628, 200)), QColor(0x40, 0x40, 0x40)); // the strip at the right edge
}

void MainWindowTest::patchesFormTheWheelInCatalogueColours()
{
    const int columns[5] = {280, 347, 414, 481, 548};
    const int rows[5] = {64, 125, 186, 247, 308};
    // Clockwise from the bottom-left corner.
    const QPoint cells[16] = {{0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0},
                              {4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}};
    const QRgb colours[16] = {0xFF0000, 0xFF80FF, 0xA020F0, 0xADD8E6, 0x000080, 0x00F5FF, 0x00FF00, 0x556B2F,
                              0xFF8000, 0xFFFF00, 0xFFD700, 0xFFDAB9, 0x696969, 0xA52A2A, 0xFFFFFF, 0x000000};
    const QImage shot = child("fraOne")->grab().toImage();
    for (int i = 0; i < 16; ++i) {
        QWidget *patch = child(qPrintable(QStringLiteral("picColor%1").arg(i)));
        QVERIFY2(patch, qPrintable(QString::number(i)));
        QCOMPARE(patch->geometry(), QRect(columns[cells[i].x()], rows[cells[i].y()], 67, 61));
        QCOMPARE(QColor(shot.pixel(patch->geometry().center())), QColor(colours[i]));
        QCOMPARE(QColor(shot.pixel(patch->geometry().topLeft())), QColor(Qt::black)); // one-pixel border
        QVERIFY(patch->cursor().shape() == Qt::BitmapCursor);
    }
}

void MainWindowTest::stackingPutsFramesAndButtonsInFront()
{
    auto above = [](QWidget *front, QWidget *back) {
        const QObjectList siblings = front->parentWidget()->children();
        return siblings.indexOf(front) > siblings.indexOf(back);
    };
    QVERIFY(above(child("Frame2"), child("fraOne")));
    QVERIFY(above(child("Frame5"), child("fraOne")));
    QVERIFY(above(child("cmdExit"), child("lblCobrand")));
    QVERIFY(above(child("lblCobrand"), child("lblFullBrand")));
    QVERIFY(above(child("fraWait"), child("cmbNumber")));
    QVERIFY(above(child("cmbNumber"), child("picColor0")));
    for (const char *label : {"Label2", "Label1", "lblMsgOne", "lblMsgSix"})
        QVERIFY2(above(child("picColor15"), child(label)), label);

    // Only the front offer shows: it paints the whole shared rectangle.
    const QImage footer = child("Frame5")->grab().toImage();
    QCOMPARE(QColor(footer.pixel(child("lblCobrand")->geometry().bottomRight() - QPoint(2, 2))),
             QColor(0x80, 0x00, 0x80));
}

void MainWindowTest::waitPanelStartsHiddenAndCoversTheWheel()
{
    for (const char *name : {"fraWait", "picMessage", "shp1", "shp2", "shp3", "shp4"})
        QVERIFY2(child(name)->isHidden(), name);
    const QRect wait = child("fraWait")->geometry();
    QVERIFY(wait.contains(child("cmbNumber")->geometry()));
    QVERIFY(wait.contains(child("Label1")->geometry()));
    for (int i = 0; i < 16; ++i)
        QVERIFY(wait.contains(m_window->patch(i)->geometry()));
    // "Please Wait" sits in the middle of the panel.
    QVERIFY(qAbs(child("picMessage")->geometry().center().x() - wait.width() / 2) < 20);
    QVERIFY(qAbs(child("picMessage")->geometry().center().y() - wait.height() / 2) < 20);
}

void MainWindowTest::captionsKeepTheirSpacesAndAmpersands()
{
    auto text = [this](const char *name) { return qobject_cast<QLabel *>(child(name))->text(); };
    QCOMPARE(text("Label1"), QStringLiteral("Think a Number and Choose the Number "));
    QVERIFY(
        text("lblCobrand").contains(QStringLiteral("site's name &  link here. See \"Help\" for details.    Click")));
    QVERIFY(text("lblCobrand").contains(QStringLiteral("your site.  Increase")));
    QCOMPARE(text("lblMsgTwo"), QStringLiteral("Think of a number from 1 - 24"));
    QCOMPARE(qobject_cast<QPushButton *>(child("cmdExit"))->text(), QStringLiteral("&Exit"));

    // Wrapping lines stay inside their boxes; one-line labels size to their text.
    for (const char *name : {"lblMsgOne", "lblMsgThree", "lblMsgFive", "lblMsgSix", "Label2"}) {
        auto *label = qobject_cast<QLabel *>(child(name));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
    auto *two = qobject_cast<QLabel *>(child("lblMsgTwo"));
    QVERIFY(qAbs(two->width() - two->fontMetrics().horizontalAdvance(two->text())) <= 2);
    QCOMPARE(two->font().pointSizeF(), 8.25);
    QVERIFY(two->font().bold());
}

void MainWindowTest::chooserHoldsOneToTwentyFour()
{
    QComboBox *chooser = m_window->numberChooser();
    QCOMPARE(chooser->count(), 24);
    for (int i = 0; i < 24; ++i)
        QCOMPARE(chooser->itemText(i), QString::number(i + 1));
    QCOMPARE(chooser->currentText(), QStringLiteral("1"));
    QVERIFY(!chooser->isEditable());
}

void MainWindowTest::chooserSelectionSurvivesHidingAndShowing()
{
    m_window->numberChooser()->setCurrentIndex(16);
    m_window->hide();
    m_window->show();
    QCOMPARE(m_window->numberChooser()->currentText(), QStringLiteral("17"));
    QCOMPARE(m_window->numberChooser()->count(), 24);
}

void MainWindowTest::escAndEnterPressExit_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("esc on chooser") << "cmbNumber" << int(Qt::Key_Escape);
    QTest::newRow("enter on chooser") << "cmbNumber" << int(Qt::Key_Return);
    QTest::newRow("keypad enter on a patch") << "picColor3" << int(Qt::Key_Enter);
    QTest::newRow("esc on a patch") << "picColor9" << int(Qt::Key_Escape);
}

void MainWindowTest::escAndEnterPressExit()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QSignalSpy unloading(m_window, &MainWindow::unloading);
    QWidget *target = child(qPrintable(focus));
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(unloading.count(), 1);
    QVERIFY(!m_window->isVisible());
}

void MainWindowTest::enterOnAFocusedButtonPressesThatButton()
{
    // The only button is Exit; Space on a patch picks it, Enter does not.
    QSignalSpy picked(m_window, &MainWindow::patchClicked);
    QSignalSpy unloading(m_window, &MainWindow::unloading);
    QTest::keyClick(m_window->patch(4), Qt::Key_Space);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.front().front().toInt(), 4);
    QCOMPARE(unloading.count(), 0);
}

void MainWindowTest::tabFollowsTheDesignedOrder()
{
    QCOMPARE(QApplication::focusWidget(), child("cmdExit")); // where the window starts
    QStringList expected{QStringLiteral("cmdExit")};
    for (int i : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4})
        expected << QStringLiteral("picColor%1").arg(i);
    expected << QStringLiteral("cmbNumber") << QStringLiteral("cmdExit");

    child("cmdExit")->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
}

void MainWindowTest::menusAndLabelsOpenTheirPages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::newRow("Online Help") << "mnuOnline"
                                 << "help-web-page";
    QTest::newRow("Visit Us Online") << "mnuVisit"
                                     << "home-page";
    QTest::newRow("Check for Software Update") << "mnuUpdate"
                                               << "download-web-page";
    QTest::newRow("Donate") << "mnuDonate"
                            << "donate";
    QTest::newRow("welcome line") << "Label2"
                                  << "fully-branded";
    QTest::newRow("advertising line") << "Label61"
                                      << "home-page";
    QTest::newRow("co-branding offer") << "lblCobrand"
                                       << "co-brand";
    QTest::newRow("full-branding offer") << "lblFullBrand"
                                         << "fully-branded";
}

void MainWindowTest::menusAndLabelsOpenTheirPages()
{
    QFETCH(QString, control);
    QFETCH(QString, key);
    if (auto *action = m_window->findChild<QAction *>(control)) {
        action->trigger();
    } else {
        auto *label = m_window->findChild<QLabel *>(control);
        QVERIFY(label);
        label->raise(); // the full-branding offer lies behind the other until start-up picks it
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QCOMPARE(m_effects.opened, QList<QUrl>{sitePageUrl(key)});
    QVERIFY(m_window->isVisible());
}

void MainWindowTest::makeMoneyOnlineIsSwitchedOff()
{
    auto *action = m_window->findChild<QAction *>(QStringLiteral("mnuMakeMoneyOnline"));
    QVERIFY(action);
    QVERIFY(!action->isEnabled());
    const QStringList bar = [this] {
        QStringList texts;
        for (QAction *a : m_window->menuBar()->actions())
            texts << a->text();
        return texts;
    }();
    QCOMPARE(bar, (QStringList{"&File", "&Help", "&Donate", "Make Money &Online"}));
}

void MainWindowTest::patchClickReportsItsIndex()
{
    QSignalSpy picked(m_window, &MainWindow::patchClicked);
    for (int i : {0, 7, 15}) {
        QTest::mouseClick(m_window->patch(i), Qt::LeftButton);
        QCOMPARE(picked.takeFirst().front().toInt(), i);
    }
}

void MainWindowTest::pauseWaitsAboutOneSecondWhileEventsRun()
{
    QtEffects real;
    bool ranDuringPause = false;
    QTimer::singleShot(200, [&] { ranDuringPause = true; });
    QElapsedTimer clock;
    clock.start();
    real.pause(1);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 990 && elapsed < 1500, qPrintable(QString::number(elapsed)));
    QVERIFY(ranDuringPause);
}

void MainWindowTest::pauseOfZeroOrLessReturnsAtOnce()
{
    QtEffects real;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    real.pause(0);
    real.pause(-5);
    QVERIFY(clock.elapsed() < 100);
    QVERIFY2(!ran, "no events are processed");
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

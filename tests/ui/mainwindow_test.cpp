#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "shell/qteffects.h"
#include "support/fakeeffects.h"
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
    void initTestCase() { registerFontSubstitutes(); }
    void init();
    void cleanup() { delete m_window; }

    void fixedWindowWithItsBandsAndStacking();
    void waitPanelStartsHiddenAndCoversTheWheel();
    void patchesStandClockwiseInCatalogueColours();
    void captionsKeepTheirSpacesAndFitTheirBoxes();
    void chooserHoldsOneToTwentyFour();
    void keysPressExitOrPickAPatch();
    void tabFollowsTheDesignedOrder();
    void menusAndLabelsOpenTheirPages();
    void pauseOfZeroOrLessReturnsAtOnce();

private:
    QWidget *child(const QString &name) const { return m_window->findChild<QWidget *>(name); }
    static bool inFront(QWidget *front, QWidget *back)
    {
        const QObjectList siblings = front->parentWidget()->children();
        return front->parentWidget() == back->parentWidget() && siblings.indexOf(front) > siblings.indexOf(back);
    }

    test::FakeEffects m_effects;
    MainWindow *m_window = nullptr;
};

void MainWindowTest::init()
{
    m_effects = test::FakeEffects();
    m_window = new MainWindow(m_effects);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void MainWindowTest::fixedWindowWithItsBandsAndStacking()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(629, 506));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    const QImage shot = m_window->centralWidget()->grab().toImage();
    const std::pair<QPoint, QRgb> pixels[] = {{{5, 5}, 0x800080},      // banner
                                              {{5, 500}, 0x800080},    // footer
                                              {{600, 430}, 0x404040},  // ritual panel
                                              {{628, 200}, 0x404040}}; // the window's strip at the right edge
    for (const auto &[at, colour] : pixels)
        QCOMPARE(QColor(shot.pixel(at)), QColor(colour));

    const std::pair<const char *, const char *> stacking[] = {
        {"Frame2", "fraOne"},     {"Frame5", "fraOne"},       {"cmdExit", "lblCobrand"}, {"lblCobrand", "lblFullBrand"},
        {"fraWait", "cmbNumber"}, {"cmbNumber", "picColor0"}, {"picColor15", "Label2"},  {"picColor15", "lblMsgSix"}};
    for (const auto &[front, back] : stacking)
        QVERIFY2(inFront(child(front), child(back)), front);

    // Whichever offer is in front, the one behind it cannot be seen at all.
    for (LinkLabel *back : {m_window->fullBrandLabel(), m_window->coBrandLabel()}) {
        const QImage both = child("Frame5")->grab().toImage();
        back->hide();
        QCOMPARE(child("Frame5")->grab().toImage(), both);
        back->show();
        back->raise();
    }
}

void MainWindowTest::waitPanelStartsHiddenAndCoversTheWheel()
{
    for (const char *name : {"fraWait", "picMessage", "shp1", "shp2", "shp3", "shp4"})
        QVERIFY2(child(name)->isHidden(), name);
    const QRect wait = child("fraWait")->geometry();
    for (int i = 0; i < 16; ++i)
        QVERIFY(wait.contains(m_window->patch(i)->geometry()));
    QVERIFY(wait.contains(child("cmbNumber")->geometry()) && wait.contains(child("Label1")->geometry()));
    // "Please Wait" sits in the middle of the panel.
    const QPoint offCentre = child("picMessage")->geometry().center() - QPoint(wait.width(), wait.height()) / 2;
    QVERIFY(offCentre.manhattanLength() < 30);
}

void MainWindowTest::patchesStandClockwiseInCatalogueColours()
{
    // From the bottom-left corner: up the left side, along the top, down the right side, back along the bottom.
    const QImage shot = child("fraOne")->grab().toImage();
    for (int i = 0; i < 16; ++i) {
        const QRect here = m_window->patch(i)->geometry();
        const QPoint step = m_window->patch((i + 1) % 16)->geometry().center() - here.center();
        const QPoint direction[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        QCOMPARE(QPoint(qBound(-1, step.x(), 1), qBound(-1, step.y(), 1)), direction[i / 4]);
        QVERIFY(qAbs(step.x()) + qAbs(step.y()) <= here.width() + 1); // the next cell, not one further
        QCOMPARE(shot.pixel(here.center()), QRgb(colourCatalogue()[i].colour));
        QCOMPARE(QColor(shot.pixel(here.topLeft())), QColor(Qt::black)); // one-pixel border
    }
}

void MainWindowTest::captionsKeepTheirSpacesAndFitTheirBoxes()
{
    auto text = [this](const char *name) { return qobject_cast<QLabel *>(child(name))->text(); };
    QCOMPARE(text("Label1"), QStringLiteral("Think a Number and Choose the Number "));
    QVERIFY(text("lblCobrand").contains(QStringLiteral("site.  Increase")));
    QVERIFY(text("lblCobrand").contains(QStringLiteral("name &  link here. See \"Help\" for details.    Click")));
    for (const char *name : {"lblMsgOne", "lblMsgThree", "lblMsgFive", "lblMsgSix", "Label2"}) {
        auto *label = qobject_cast<QLabel *>(child(name));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
}

void MainWindowTest::chooserHoldsOneToTwentyFour()
{
    QComboBox *chooser = m_window->numberChooser();
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    QCOMPARE(items.join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"));
    QCOMPARE(chooser->currentText(), QStringLiteral("1"));
    QVERIFY(!chooser->isEditable());
}

void MainWindowTest::keysPressExitOrPickAPatch()
{
    // Space and a click pick a patch; Enter on a patch or the chooser, and Esc anywhere, press Exit.
    QSignalSpy picked(m_window, &MainWindow::patchClicked);
    QTest::keyClick(m_window->patch(4), Qt::Key_Space);
    QTest::mouseClick(m_window->patch(15), Qt::LeftButton);
    QCOMPARE(static_cast<QList<QVariantList>>(picked), (QList<QVariantList>{{4}, {15}}));

    const std::pair<const char *, Qt::Key> presses[] = {{"cmbNumber", Qt::Key_Escape},
                                                        {"cmbNumber", Qt::Key_Return},
                                                        {"picColor3", Qt::Key_Enter},
                                                        {"picColor9", Qt::Key_Escape}};
    for (const auto &[focus, key] : presses) {
        cleanup();
        init();
        QSignalSpy unloading(m_window, &MainWindow::unloading);
        child(focus)->setFocus();
        QTest::keyClick(child(focus), key);
        QVERIFY2(unloading.count() == 1 && !m_window->isVisible(), focus);
    }
}

void MainWindowTest::tabFollowsTheDesignedOrder()
{
    QCOMPARE(QApplication::focusWidget(), child("cmdExit")); // where the window starts
    QStringList seen{QStringLiteral("cmdExit")};
    for (int i = 0; i < 18; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName().remove(QStringLiteral("picColor"));
    }
    QCOMPARE(seen.join(' '), QStringLiteral("cmdExit 5 6 7 8 9 10 11 12 13 14 15 0 1 2 3 4 cmbNumber cmdExit"));
}

void MainWindowTest::menusAndLabelsOpenTheirPages()
{
    const std::pair<const char *, const char *> controls[] = {
        {"mnuOnline", "help-web-page"}, {"mnuVisit", "home-page"},        {"mnuUpdate", "download-web-page"},
        {"mnuDonate", "donate"},        {"Label2", "fully-branded"},      {"Label61", "home-page"},
        {"lblCobrand", "co-brand"},     {"lblFullBrand", "fully-branded"}};
    for (const auto &[name, key] : controls) {
        m_effects.opened.clear();
        if (auto *action = m_window->findChild<QAction *>(name)) {
            action->trigger();
        } else {
            child(name)->raise(); // the full-branding offer lies behind the other until start-up picks it
            QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5));
        }
        QCOMPARE(m_effects.opened, QList<QUrl>{sitePageUrl(QLatin1String(key))});
        QVERIFY(m_window->isVisible());
    }
    QStringList bar;
    for (QAction *a : m_window->menuBar()->actions())
        bar << a->text() + (a->isEnabled() ? "" : " (off)");
    QCOMPARE(bar, (QStringList{"&File", "&Help", "&Donate", "Make Money &Online (off)"}));
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

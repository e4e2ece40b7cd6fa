#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "support/fakeeffects.h"
#include "support/sitelinks.h"
#include "ui/common/fonts.h"
#include "ui/common/labels.h"
#include "ui/common/picturebox.h"
#include "ui/main/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QtTest>

using namespace tintwise;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init()
    {
        m_effects = test::FakeEffects();
        m_window = new MainWindow(m_effects);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup() { delete m_window; }

    void windowIsFixedAndCaptioned()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(629, 506));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void controlsStackFrontOverBack_data()
    {
        // Front and back of a pair in one container.
        QTest::addColumn<QString>("front");
        QTest::addColumn<QString>("back");
        const auto row = [](const char *tag, const char *front, const char *back) {
            QTest::newRow(tag) << QString::fromLatin1(front) << QString::fromLatin1(back);
        };
        row("top frame over the patch frame", "Frame2", "fraOne");
        row("footer over the patch frame", "Frame5", "fraOne");
        row("Exit over the co-branding offer", "cmdExit", "lblCobrand");
        row("co-branding over full-branding offer", "lblCobrand", "lblFullBrand");
        row("wait panel over the chooser", "fraWait", "cmbNumber");
        row("chooser over the first patch", "cmbNumber", "picColor0");
        row("last patch over the heading", "picColor15", "Label2");
    }
    void controlsStackFrontOverBack()
    {
        QFETCH(QString, front);
        QFETCH(QString, back);
        const QObjectList siblings = child(front)->parentWidget()->children();
        QVERIFY(siblings.indexOf(child(front)) > siblings.indexOf(child(back)));
    }

    void offerBehindTheOtherCannotBeSeen_data()
    {
        QTest::addColumn<bool>("fullBrandInFront");
        QTest::newRow("full-branding behind") << false;
        QTest::newRow("co-branding behind") << true;
    }
    void offerBehindTheOtherCannotBeSeen()
    {
        QFETCH(bool, fullBrandInFront);
        LinkLabel *back = m_window->fullBrandLabel();
        if (fullBrandInFront) {
            m_window->fullBrandLabel()->raise();
            back = m_window->coBrandLabel();
        }
        const QImage both = child("Frame5")->grab().toImage();
        back->hide();
        QCOMPARE(child("Frame5")->grab().toImage(), both);
    }

    void waitPanelStartsHiddenOverThePatchesAndChooser()
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

    void captionsReadAsStoredAndFit()
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

    void patchesStandClockwiseInCatalogueColours()
    {
        // From the bottom-left corner: up the left side, along the top, down the right side, back along the bottom.
        const QImage shot = child("fraOne")->grab().toImage();
        const QPoint direction[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        for (int i = 0; i < 16; ++i) {
            const QRect here = m_window->patch(i)->geometry();
            const QPoint step = m_window->patch((i + 1) % 16)->geometry().center() - here.center();
            QCOMPARE(QPoint(qBound(-1, step.x(), 1), qBound(-1, step.y(), 1)), direction[i / 4]);
            QVERIFY(qAbs(step.x()) + qAbs(step.y()) <= here.width() + 1); // the next cell, not one further
            QCOMPARE(shot.pixel(here.center()), QRgb(colourCatalogue()[i].colour));
            QCOMPARE(QColor(shot.pixel(here.topLeft())), QColor(Qt::black)); // one-pixel border
        }
    }

    void chooserOffersOneToTwentyFourFromOne()
    {
        QComboBox *chooser = m_window->numberChooser();
        QStringList items;
        for (int i = 0; i < chooser->count(); ++i)
            items << chooser->itemText(i);
        QCOMPARE(items.join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"));
        QVERIFY(chooser->currentText() == QStringLiteral("1") && !chooser->isEditable());
    }

    void tabRunsFromExitRoundThePatchesToTheChooser()
    {
        QCOMPARE(QApplication::focusWidget(), child("cmdExit")); // where the window starts
        QStringList seen{QStringLiteral("cmdExit")};
        for (int i = 0; i < 18; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName().remove(QStringLiteral("picColor"));
        }
        QCOMPARE(seen.join(' '), QStringLiteral("cmdExit 5 6 7 8 9 10 11 12 13 14 15 0 1 2 3 4 cmbNumber cmdExit"));
    }

    void spaceAndClickPickAPatch()
    {
        QSignalSpy picked(m_window, &MainWindow::patchClicked);
        QTest::keyClick(m_window->patch(4), Qt::Key_Space);
        QTest::mouseClick(m_window->patch(15), Qt::LeftButton);
        QCOMPARE(static_cast<QList<QVariantList>>(picked), (QList<QVariantList>{{4}, {15}}));
    }

    void exitIsPressedByEscEnterTheMenuAndTheCloseControl_data()
    {
        // Exit is the default and the cancel button. An empty control is the window's close control.
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc on the chooser") << "cmbNumber" << int(Qt::Key_Escape);
        QTest::newRow("Return on the chooser") << "cmbNumber" << int(Qt::Key_Return);
        QTest::newRow("Enter on a patch") << "picColor3" << int(Qt::Key_Enter);
        QTest::newRow("File menu Exit") << "mnuExit" << 0;
        QTest::newRow("close control") << "" << 0;
    }
    void exitIsPressedByEscEnterTheMenuAndTheCloseControl()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QSignalSpy unloading(m_window, &MainWindow::unloading);
        if (control.isEmpty()) {
            m_window->close();
        } else if (auto *menu = m_window->findChild<QAction *>(control)) {
            menu->trigger();
        } else {
            child(control)->setFocus();
            QTest::keyClick(child(control), Qt::Key(key));
        }
        QCOMPARE(unloading.count(), 1);
        QVERIFY(!m_window->isVisible());
    }

    void menusAndLabelsOpenTheirPages_data()
    {
        test::addLinkColumns();
        test::addSharedLinkRows();
        test::addLinkRow("heading", "Label2", "fully-branded");
    }
    void menusAndLabelsOpenTheirPages()
    {
        QFETCH(QString, control);
        QFETCH(QString, page);
        test::activate(m_window, control);
        QCOMPARE(m_effects.opened, QList<QUrl>{sitePageUrl(page)});
        QVERIFY(m_window->isVisible());
    }

    void menuBarHoldsFileHelpDonateAndAnOffMoneyMenu()
    {
        QStringList bar;
        for (QAction *a : m_window->menuBar()->actions())
            bar << a->text() + (a->isEnabled() ? "" : " (off)");
        QCOMPARE(bar.join('|'), QStringLiteral("&File|&Help|&Donate|Make Money &Online (off)"));
    }

private:
    QWidget *child(const QString &name) const { return m_window->findChild<QWidget *>(name); }

    test::FakeEffects m_effects;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

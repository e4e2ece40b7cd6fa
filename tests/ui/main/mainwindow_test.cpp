#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "support/fakeeffects.h"
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

    void fixedWindowStackingWaitPanelAndCaptions()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(629, 506));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        // Front and back pairs of one container.
        const QStringList stacking =
            QStringLiteral("Frame2>fraOne Frame5>fraOne cmdExit>lblCobrand lblCobrand>lblFullBrand "
                           "fraWait>cmbNumber cmbNumber>picColor0 picColor15>Label2")
                .split(' ');
        for (const QString &pair : stacking) {
            QWidget *front = child(pair.section('>', 0, 0)), *back = child(pair.section('>', 1));
            const QObjectList siblings = front->parentWidget()->children();
            QVERIFY2(siblings.indexOf(front) > siblings.indexOf(back), qPrintable(pair));
        }
        // Whichever offer is in front, the one behind it cannot be seen at all.
        for (LinkLabel *back : {m_window->fullBrandLabel(), m_window->coBrandLabel()}) {
            const QImage both = child("Frame5")->grab().toImage();
            back->hide();
            QCOMPARE(child("Frame5")->grab().toImage(), both);
            back->show();
            back->raise();
        }

        for (const char *name : {"fraWait", "picMessage", "shp1", "shp2", "shp3", "shp4"})
            QVERIFY2(child(name)->isHidden(), name);
        const QRect wait = child("fraWait")->geometry();
        for (int i = 0; i < 16; ++i)
            QVERIFY(wait.contains(m_window->patch(i)->geometry()));
        QVERIFY(wait.contains(child("cmbNumber")->geometry()) && wait.contains(child("Label1")->geometry()));
        // "Please Wait" sits in the middle of the panel.
        const QPoint offCentre = child("picMessage")->geometry().center() - QPoint(wait.width(), wait.height()) / 2;
        QVERIFY(offCentre.manhattanLength() < 30);

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

    void chooserAndKeysAndTabOrder()
    {
        QComboBox *chooser = m_window->numberChooser();
        QStringList items;
        for (int i = 0; i < chooser->count(); ++i)
            items << chooser->itemText(i);
        QCOMPARE(items.join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"));
        QVERIFY(chooser->currentText() == QStringLiteral("1") && !chooser->isEditable());

        QCOMPARE(QApplication::focusWidget(), child("cmdExit")); // where the window starts
        QStringList seen{QStringLiteral("cmdExit")};
        for (int i = 0; i < 18; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName().remove(QStringLiteral("picColor"));
        }
        QCOMPARE(seen.join(' '), QStringLiteral("cmdExit 5 6 7 8 9 10 11 12 13 14 15 0 1 2 3 4 cmbNumber cmdExit"));

        // Space and a click pick a patch.
        QSignalSpy picked(m_window, &MainWindow::patchClicked);
        QTest::keyClick(m_window->patch(4), Qt::Key_Space);
        QTest::mouseClick(m_window->patch(15), Qt::LeftButton);
        QCOMPARE(static_cast<QList<QVariantList>>(picked), (QList<QVariantList>{{4}, {15}}));
        // Esc and Enter press Exit (its default and cancel button); the File menu's Exit and the close control too.
        const std::pair<const char *, Qt::Key> presses[] = {{"cmbNumber", Qt::Key_Escape},
                                                            {"cmbNumber", Qt::Key_Return},
                                                            {"picColor3", Qt::Key_Enter},
                                                            {"mnuExit", {}},
                                                            {nullptr, {}}};
        for (const auto &[control, key] : presses) {
            cleanup();
            init();
            QSignalSpy unloading(m_window, &MainWindow::unloading);
            if (!control) {
                m_window->close();
            } else if (auto *menu = m_window->findChild<QAction *>(control)) {
                menu->trigger();
            } else {
                child(control)->setFocus();
                QTest::keyClick(child(control), key);
            }
            QVERIFY2(unloading.count() == 1 && !m_window->isVisible(), control);
        }
    }

    void menusAndLabelsOpenTheirPages()
    {
        const QString controls =
            QStringLiteral("mnuOnline:help-web-page mnuVisit:home-page mnuUpdate:download-web-page "
                           "mnuDonate:donate Label2:fully-branded Label61:home-page "
                           "lblCobrand:co-brand lblFullBrand:fully-branded");
        for (const QString &row : controls.split(' ')) {
            const QString name = row.section(':', 0, 0);
            m_effects.opened.clear();
            if (auto *action = m_window->findChild<QAction *>(name)) {
                action->trigger();
            } else {
                child(name)->raise(); // the full-branding offer lies behind the other until start-up picks it
                QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5));
            }
            QCOMPARE(m_effects.opened, QList<QUrl>{sitePageUrl(row.section(':', 1))});
            QVERIFY(m_window->isVisible());
        }
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

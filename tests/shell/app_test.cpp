#include "links/promotion.h"
#include "shell/app.h"
#include "shell/qteffects.h"
#include "support/fakeeffects.h"
#include "system/settingsstore.h"
#include "system/singleinstance.h"
#include "ui/common/labels.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace tintwise;

namespace {

/// Counts the close events each watched window receives, by its name.
class CloseCounter : public QObject
{
public:
    void watch(QWidget *window) { window->installEventFilter(this); }
    QMap<QString, int> closes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            ++closes[watched->objectName()];
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        tintwise::SettingsStore::setConfigFolder(m_dir.path());
    }

    // First: no settings of this process are cached yet.
    void settingsThatCannotBeReadStillLeadToTheMainWindow()
    {
        const QString file = m_dir.filePath("Arcanel/" + SettingsStore().applicationName() + ".conf");
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile out(file);
        const QByteArray broken("[Settings\n\xff\xfe");
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(broken) == broken.size());
        out.close();
        test::FakeEffects effects;
        App app(effects);
        SingleInstance instance(m_dir.filePath(QStringLiteral("app.lock")));
        QVERIFY(app.StartApplication(instance));
        QVERIFY(app.mainWindow()->isVisible());
        QVERIFY(effects.messages.isEmpty());
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), broken); // left as it was
    }

    void startShowsTheMainWindowThenBringsTheDrawnOfferToTheFront_data()
    {
        // r = (n - 1) / 6 draws n: 1, 3 and 5 raise the co-branding offer, 2, 4 and 6 the full-branding one, and 7
        // keeps the stored order, co-branding in front.
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("front");
        QTest::newRow("1") << 0.0 << QStringLiteral("lblCobrand");
        QTest::newRow("2") << 1.0 / 6 << QStringLiteral("lblFullBrand");
        QTest::newRow("3") << 2.0 / 6 << QStringLiteral("lblCobrand");
        QTest::newRow("4") << 3.0 / 6 << QStringLiteral("lblFullBrand");
        QTest::newRow("5") << 4.0 / 6 << QStringLiteral("lblCobrand");
        QTest::newRow("6") << 5.0 / 6 << QStringLiteral("lblFullBrand");
        QTest::newRow("7") << 0.99 << QStringLiteral("lblCobrand");
    }
    void startShowsTheMainWindowThenBringsTheDrawnOfferToTheFront()
    {
        QFETCH(double, r);
        QFETCH(QString, front);
        test::FakeEffects effects;
        effects.randoms = {r};
        App app(effects);
        SingleInstance instance(m_dir.filePath(QStringLiteral("app.lock")));
        QVERIFY(app.StartApplication(instance));
        QVERIFY(app.mainWindow()->isVisible());
        QVERIFY(effects.seeds == 1 && effects.randoms.empty() && effects.messages.isEmpty() && effects.ends == 0);
        // What the user sees in the shared place is the front offer.
        QWidget *offer = app.mainWindow()->coBrandLabel();
        QCOMPARE(offer->parentWidget()->childAt(offer->geometry().center())->objectName(), front);
        // Only among the offers: the footer's button stays in front of both.
        const QObjectList footer = offer->parentWidget()->children();
        const qsizetype exit = footer.indexOf(offer->parentWidget()->findChild<QWidget *>(QStringLiteral("cmdExit")));
        QVERIFY(exit > footer.indexOf(offer) && exit > footer.indexOf(app.mainWindow()->fullBrandLabel()));
    }

    void drawShowsEachOfferInAboutHalfTheRuns()
    {
        // Each run seeds the real generator from the timer and draws once, as start-up does.
        QtEffects effects;
        constexpr int runs = 4000;
        int coBranding = 0;
        for (int run = 0; run < runs; ++run) {
            effects.seedRandom();
            coBranding += coBrandOfferFor(coBrandNumber(effects.random())) == CoBrandOffer::FullBrand ? 0 : 1;
        }
        // Half with a standard deviation of about 0.8 %: 5 % is far outside chance.
        QVERIFY2(qAbs(coBranding - runs / 2) < runs / 20, qPrintable(QString::number(coBranding)));
    }

    void leavingTheExitScreenUnloadsEveryWindowOnce_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("its Exit button, after the main window closed") << true;
        // As after a draw, where the result window handed over.
        QTest::newRow("its close control, with the main window only hidden") << false;
    }
    void leavingTheExitScreenUnloadsEveryWindowOnce()
    {
        QFETCH(bool, byButton);
        test::FakeEffects effects;
        App app(effects);
        QPointer<MainWindow> main = app.mainWindow();
        main->show();
        QSignalSpy mainUnloads(main.data(), &MainWindow::unloading);
        if (byButton) {
            main->close();
        } else {
            main->hide();
            app.handOverToExitScreen();
        }
        QPointer<ExitWindow> exit = app.exitWindow();
        QSignalSpy exitUnloads(exit.data(), &ExitWindow::unloading);
        if (byButton)
            QTest::mouseClick(exit->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
        else
            exit->close();
        QVERIFY(effects.ends == 1 && mainUnloads.count() == 1 && exitUnloads.count() == 1);
        QVERIFY(!app.isMainWindowLoaded());
        QVERIFY(!app.isExitWindowLoaded()); // the main window's hand-over during the quit loads no second one
        QCOMPARE(effects.seeds, 1);
        app.QuitApplication();
        QCOMPARE(effects.ends, 1);
    }

    void quittingClosesEveryLoadedWindowOnce()
    {
        // With the About box open: closing the exit screen calls the quit routine again, and the box, deleted
        // only later, is still loaded then.
        test::FakeEffects effects;
        App app(effects);
        CloseCounter counter;
        for (QWidget *window : {static_cast<QWidget *>(app.mainWindow()), static_cast<QWidget *>(app.resultWindow()),
                                static_cast<QWidget *>(app.exitWindow())})
            counter.watch(window);
        app.mainWindow()->show();
        bool boxOpen = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                boxOpen = true;
                counter.watch(box);
                app.QuitApplication();
            }
        });
        app.mainWindow()->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(boxOpen);
        QCOMPARE(effects.ends, 1);
        QCOMPARE(counter.closes, (QMap<QString, int>{
                                     {QStringLiteral("frmAbout"), 1},
                                     {QStringLiteral("frmMain"), 1},
                                     {QStringLiteral("frmDisplay"), 1},
                                     {QStringLiteral("frmNagScreen2"), 1},
                                 }));
    }

    void aboutBoxIsModalOverTheMainWindow()
    {
        test::FakeEffects effects;
        App app(effects);
        MainWindow *main = app.mainWindow();
        main->show();
        main->numberChooser()->setCurrentIndex(7);
        QPointer<QWidget> box;
        bool modalOverMain = false;
        QTimer::singleShot(0, [&] { // inside the box's own event loop, as the user would act
            box = QApplication::activeModalWidget();
            modalOverMain = box && box->isModal() && box->parentWidget() == main;
            if (box)
                QTest::keyClick(box, Qt::Key_Escape);
        });
        main->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(modalOverMain);
        QVERIFY(box.isNull()); // closing unloads it: the next opening builds it afresh
        QVERIFY(main->isVisible() && main->isEnabled());
        QCOMPARE(main->numberChooser()->currentText(), QStringLiteral("8"));
    }

private:
    QTemporaryDir m_dir; // the per-user store and the lock of these tests, never the user's own
};

QTEST_MAIN(AppTest)
#include "app_test.moc"

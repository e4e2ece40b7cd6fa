#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "support/fakeeffects.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/labels.h"
#include "ui/common/picturebox.h"
#include "ui/result/resultwindow.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace tintwise;

class ResultWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init()
    {
        m_effects = test::FakeEffects();
        m_window = new ResultWindow(m_effects);
        m_window->fillReading(reading(15, 7, 15));
        m_window->openOnDayPanel();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_effects.clipboardClears = 0;
    }

    void cleanup() { delete m_window.data(); }

    void fivePanelsShareOneRectangleOnlyTheFrontOneShowsAndTextsFit()
    {
        const ResultWindow fresh(m_effects);
        QCOMPARE(fresh.centralWidget()->size(), QSize(628, 376));
        QCOMPARE(fresh.minimumSize(), fresh.maximumSize());
        QStringList frontToBack;
        for (QObject *o : fresh.centralWidget()->children())
            if (o->isWidgetType())
                frontToBack.prepend(o->objectName());
        QCOMPARE(frontToBack.join(' '),
                 QStringLiteral("Frame2 Frame5 fraMsg fraProblemColor fraSolutionColor fraCoosenColor frmShowAll"));
        for (const QString &panel : frontToBack.mid(3))
            QCOMPARE(fresh.findChild<QWidget *>(panel)->geometry(), fresh.findChild<QWidget *>("fraMsg")->geometry());
        for (const char *name : {"fraMsg", "picMessage", "shp1", "shp2", "shp3", "shp4", "frmShowAll"})
            QVERIFY2(fresh.findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
        QVERIFY(child("cmdExit")->geometry().right() < child("cmdBack")->geometry().left());
        const auto off = fresh.findChildren<QAction *>(QRegularExpression("^mnu(ShowAll|MakeMoneyOnline)$"));
        QVERIFY(off.size() == 2 && !off[0]->isEnabled() && !off[1]->isEnabled()); // stored switched off

        // Show All lies visible behind the Day panel: none of its white boxes may show through.
        child("frmShowAll")->show();
        child("frmShowAll")->lower();
        const QPoint insideABox(20, 48 + 200), bannerEdge(300, 48), footerEdge(300, 320);
        QImage shot = m_window->centralWidget()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(insideABox)), QColor(0x40, 0x40, 0x40));
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        shot = m_window->centralWidget()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(insideABox)), QColor(Qt::white));
        QCOMPARE(QColor(shot.pixel(bannerEdge)), QColor(0x80, 0x00, 0x80));
        QCOMPARE(QColor(shot.pixel(footerEdge)), QColor(0x80, 0x00, 0x80));

        m_window->fillReading(reading(9, 9, 9)); // yellow: the longest text
        for (const char *name :
             {"lblChoosenColorInterpretation", "lblProblemColorInterpretation", "lblSolutionColorInterpretation"}) {
            auto *label = child<QLabel>(name);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        }
        m_window->fillReading(reading(15, 7, 15)); // the longest name: auto-size follows it
        auto *name = child<QLabel>("lblShowAllProblemColor");
        QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance(QStringLiteral("Olive Green")));
        auto *box = child<QPlainTextEdit>("txtShowAllSolutionColorDesc");
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        box->setFocus();
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->toPlainText(), colourCatalogue()[15].text);
    }

    void keysActAtOnceEvenDuringARevealAndCoveredNextButtonsDoNothing()
    {
        // Reveals walked before the key, and the key.
        const std::pair<int, Qt::Key> cases[] = {
            {0, Qt::Key_Escape}, {0, Qt::Key_Return}, {1, Qt::Key_Escape}, {2, Qt::Key_Enter}};
        for (const auto &[nexts, key] : cases) {
            m_window->openOnDayPanel();
            if (nexts >= 1)
                click("cmdChoosenColor");
            if (nexts >= 2)
                click("cmdProblemColor");
            if (QWidget *focused = m_window->focusWidget())
                focused->clearFocus(); // Enter goes to the default button only off buttons
            QTest::keyClick(m_window, key);
            QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
        }
        QSignalSpy back(m_window, &ResultWindow::backRequested);
        child("cmdBack")->setFocus(); // a focused button takes Enter for itself
        QTest::keyClick(m_window, Qt::Key_Return);
        QCOMPARE(back.count(), 1);

        // Keys still reach a focused button that a panel covers; Esc brings up Show All over the wait.
        cleanup();
        init();
        auto *dayNext = child<QPushButton>("cmdChoosenColor");
        dayNext->setFocus();
        QWidget *frontDuringWait = nullptr;
        m_effects.onPause = [&](int n) {
            if (n == 1)
                QTest::keyClick(dayNext, Qt::Key_Space); // under the wait panel
            if (n == 2) {
                QTest::keyClick(m_window, Qt::Key_Escape);
                frontDuringWait = m_window->frontPanel();
            }
        };
        click("cmdChoosenColor");
        QCOMPARE(frontDuringWait, m_window->showAllPanel());
        QCOMPARE(m_window->frontPanel(), m_window->problemPanel()); // the wait ends on its target
        QVERIFY(!m_window->showAllPanel()->isHidden());
        QTest::keyClick(dayNext, Qt::Key_Space); // under the Problem panel
        QCoreApplication::processEvents();
        QCOMPARE(m_effects.pauses.size(), std::size_t(4));
        QCOMPARE(m_window->frontPanel(), m_window->problemPanel());
    }

    void clipboardIsEmptiedByChangeAndMouseOverTheBoxes()
    {
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        const QPoint at(10, 10);
        // Each mouse event over a description box empties it; keys in a box and the mouse elsewhere do not.
        const std::tuple<const char *, const char *, bool> rows[] = {
            {"txtShowAllDayColorDesc", "move", true},      {"txtShowAllProblemColorDesc", "move", true},
            {"txtShowAllSolutionColorDesc", "move", true}, {"Label5", "move", false},
            {"txtShowAllDayColorDesc", "keys", false},     {"lblShowAllDayColor", "press", false},
            {"txtShowAllDayColorDesc", "press", true},     {"txtShowAllProblemColorDesc", "release", true},
            {"txtShowAllSolutionColorDesc", "right", true}};
        for (const auto &[target, action, empties] : rows) {
            m_effects.clipboardClears = 0;
            auto *box = child<QPlainTextEdit>(target);
            QWidget *surface = box ? box->viewport() : child(target);
            if (action == std::string("press"))
                QTest::mousePress(surface, Qt::LeftButton, {}, at);
            else if (action == std::string("release"))
                QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
            else if (action == std::string("right"))
                QTest::mousePress(surface, Qt::RightButton, {}, at);
            else if (action == std::string("move")) // through the window, which finds the control under the pointer
                QTest::mouseMove(m_window->windowHandle(), surface->mapTo(m_window, at));
            else
                QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
            QVERIFY2((m_effects.clipboardClears > 0) == empties,
                     qPrintable(QStringLiteral("%1 %2").arg(target, action)));
        }
        // Writing a reading is a change, even of the same texts: once per box.
        m_effects.clipboardClears = 0;
        m_window->fillReading(reading(15, 7, 15));
        QCOMPARE(m_effects.clipboardClears, 3);
    }

    void menusAndLabelsOpenTheirPages()
    {
        // Control and the page it opens; the other headings and the names of Show All open none.
        const QString controls =
            QStringLiteral("mnuOnline:help-web-page mnuVisit:home-page mnuUpdate:download-web-page "
                           "mnuDonate:donate Label61:home-page lblCobrand:co-brand "
                           "lblFullBrand:fully-branded Label1:fully-branded Label15: "
                           "lblShowAllSolutionColor:");
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        for (const QString &row : controls.split(' ')) {
            const QString name = row.section(':', 0, 0), key = row.section(':', 1);
            m_effects.opened.clear();
            if (auto *action = m_window->findChild<QAction *>(name)) {
                action->trigger();
            } else {
                m_window->findChild<QWidget *>(name)->raise(); // the full-branding offer lies behind the other
                QTest::mouseClick(m_window->findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(5, 5));
            }
            QCOMPARE(m_effects.opened, key.isEmpty() ? QList<QUrl>{} : QList<QUrl>{sitePageUrl(key)});
            QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
        }
    }

    void tabOrderFollowsTheDesignsTabIndexes()
    {
        // Tab index 3, 4, 10, 20, 31, 35, 39, 40: the focusable controls, whichever panel is in front.
        const QStringList expected{"cmdBack",
                                   "cmdExit",
                                   "cmdChoosenColor",
                                   "cmdProblemColor",
                                   "txtShowAllDayColorDesc",
                                   "txtShowAllSolutionColorDesc",
                                   "txtShowAllProblemColorDesc",
                                   "cmdShowAll"};
        QStringList chain;
        QWidget *w = child("cmdBack");
        do {
            if (w->focusPolicy() & Qt::TabFocus && expected.contains(w->objectName()))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != child("cmdBack") && chain.size() < 2 * expected.size());
        QCOMPARE(chain, expected);
    }

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    void click(const char *button)
    {
        QTest::mouseClick(child(button), Qt::LeftButton);
        QCoreApplication::processEvents(); // a reveal runs from the event loop
    }
    static SelectionRecord reading(int day, int problem, int solution)
    {
        SelectionRecord record;
        record.DayColorIndex = std::int16_t(day);
        record.ProblemColorIndex = std::int16_t(problem);
        record.SolutionColorIndex = std::int16_t(solution);
        FillSelectionRecord(record);
        return record;
    }

    test::FakeEffects m_effects;
    QPointer<ResultWindow> m_window;
};

QTEST_MAIN(ResultWindowTest)
#include "resultwindow_test.moc"

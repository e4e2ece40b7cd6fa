#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "support/fakeeffects.h"
#include "support/sitelinks.h"
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

    void windowIsFixedWithFivePanelsInOneRectangle()
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
    }

    void waitAndShowAllStartHidden()
    {
        const ResultWindow fresh(m_effects);
        for (const char *name : {"fraMsg", "picMessage", "shp1", "shp2", "shp3", "shp4", "frmShowAll"})
            QVERIFY2(fresh.findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
    }

    void exitStandsLeftOfBack() { QVERIFY(child("cmdExit")->geometry().right() < child("cmdBack")->geometry().left()); }

    void showAllAndMoneyMenusAreStoredSwitchedOff()
    {
        const ResultWindow fresh(m_effects);
        const auto off = fresh.findChildren<QAction *>(QRegularExpression("^mnu(ShowAll|MakeMoneyOnline)$"));
        QVERIFY(off.size() == 2 && !off[0]->isEnabled() && !off[1]->isEnabled());
    }

    void showAllBehindTheDayPanelDoesNotShowThrough()
    {
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
    }

    void longestInterpretationsFit()
    {
        m_window->fillReading(reading(9, 9, 9)); // yellow: the longest text
        for (const char *name :
             {"lblChoosenColorInterpretation", "lblProblemColorInterpretation", "lblSolutionColorInterpretation"}) {
            auto *label = child<QLabel>(name);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        }
    }

    void showAllNameGrowsToTheLongestName()
    {
        m_window->fillReading(reading(9, 9, 9));
        m_window->fillReading(reading(15, 7, 15)); // the longest name: auto-size follows it
        auto *name = child<QLabel>("lblShowAllProblemColor");
        QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance(QStringLiteral("Olive Green")));
    }

    void showAllDescriptionScrollsAndRefusesTyping()
    {
        auto *box = child<QPlainTextEdit>("txtShowAllSolutionColorDesc");
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        box->setFocus();
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->toPlainText(), colourCatalogue()[15].text);
    }

    void escAndEnterBringUpShowAllAtOnce_data()
    {
        QTest::addColumn<int>("nexts"); // reveals walked before the key
        QTest::addColumn<int>("key");
        QTest::newRow("Esc on the Day panel") << 0 << int(Qt::Key_Escape);
        QTest::newRow("Return on the Day panel") << 0 << int(Qt::Key_Return);
        QTest::newRow("Esc on the Problem panel") << 1 << int(Qt::Key_Escape);
        QTest::newRow("Enter on the Solution panel") << 2 << int(Qt::Key_Enter);
    }
    void escAndEnterBringUpShowAllAtOnce()
    {
        QFETCH(int, nexts);
        QFETCH(int, key);
        if (nexts >= 1)
            click("cmdChoosenColor");
        if (nexts >= 2)
            click("cmdProblemColor");
        if (QWidget *focused = m_window->focusWidget())
            focused->clearFocus(); // Enter goes to the default button only off buttons
        QTest::keyClick(m_window, Qt::Key(key));
        QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
    }

    void returnOnAFocusedBackButtonGoesBack()
    {
        QSignalSpy back(m_window, &ResultWindow::backRequested);
        child("cmdBack")->setFocus(); // a focused button takes Enter for itself
        QTest::keyClick(m_window, Qt::Key_Return);
        QCOMPARE(back.count(), 1);
    }

    void escDuringARevealBringsUpShowAllOverTheWait()
    {
        QWidget *frontDuringWait = nullptr;
        m_effects.onPause = [&](int n) {
            if (n == 2) {
                QTest::keyClick(m_window, Qt::Key_Escape);
                frontDuringWait = m_window->frontPanel();
            }
        };
        click("cmdChoosenColor");
        QCOMPARE(frontDuringWait, m_window->showAllPanel());
        QCOMPARE(m_window->frontPanel(), m_window->problemPanel()); // the wait ends on its target
        QVERIFY(!m_window->showAllPanel()->isHidden());
    }

    void coveredNextButtonTakesKeysButDoesNothing_data()
    {
        QTest::addColumn<bool>("duringTheWait");
        QTest::newRow("under the wait panel") << true;
        QTest::newRow("under the Problem panel") << false;
    }
    void coveredNextButtonTakesKeysButDoesNothing()
    {
        QFETCH(bool, duringTheWait);
        auto *dayNext = child<QPushButton>("cmdChoosenColor");
        dayNext->setFocus();
        QSignalSpy clicked(dayNext, &QPushButton::clicked);
        m_effects.onPause = [&](int n) {
            if (n == 1 && duringTheWait)
                QTest::keyClick(dayNext, Qt::Key_Space);
        };
        click("cmdChoosenColor");
        if (!duringTheWait)
            QTest::keyClick(dayNext, Qt::Key_Space);
        QCoreApplication::processEvents();
        QCOMPARE(clicked.count(), 2);                      // the key reached the button, as the click before it did
        QCOMPARE(m_effects.pauses.size(), std::size_t(4)); // one reveal's wait only
        QCOMPARE(m_window->frontPanel(), m_window->problemPanel());
    }

    void mouseOverADescriptionBoxEmptiesTheClipboard_data()
    {
        // Each mouse event over a description box empties it; keys in a box and the mouse elsewhere do not.
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("empties");
        const auto row = [](const char *tag, const char *target, const char *action, bool empties) {
            QTest::newRow(tag) << QString::fromLatin1(target) << QString::fromLatin1(action) << empties;
        };
        row("move over the Day box", "txtShowAllDayColorDesc", "move", true);
        row("move over the Problem box", "txtShowAllProblemColorDesc", "move", true);
        row("move over the Solution box", "txtShowAllSolutionColorDesc", "move", true);
        row("move over a heading", "Label5", "move", false);
        row("keys in the Day box", "txtShowAllDayColorDesc", "keys", false);
        row("press on a name", "lblShowAllDayColor", "press", false);
        row("press in the Day box", "txtShowAllDayColorDesc", "press", true);
        row("release in the Problem box", "txtShowAllProblemColorDesc", "release", true);
        row("right press in the Solution box", "txtShowAllSolutionColorDesc", "right", true);
    }
    void mouseOverADescriptionBoxEmptiesTheClipboard()
    {
        QFETCH(QString, target);
        QFETCH(QString, action);
        QFETCH(bool, empties);
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        m_effects.clipboardClears = 0;
        auto *box = m_window->findChild<QPlainTextEdit *>(target);
        QWidget *surface = box ? box->viewport() : m_window->findChild<QWidget *>(target);
        const QPoint at(10, 10);
        if (action == QLatin1String("press"))
            QTest::mousePress(surface, Qt::LeftButton, {}, at);
        else if (action == QLatin1String("release"))
            QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
        else if (action == QLatin1String("right"))
            QTest::mousePress(surface, Qt::RightButton, {}, at);
        else if (action == QLatin1String("move")) // through the window, which finds the control under the pointer
            QTest::mouseMove(m_window->windowHandle(), surface->mapTo(m_window, at));
        else
            QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_effects.clipboardClears > 0, empties);
    }

    void writingAReadingEmptiesTheClipboardOncePerBox()
    {
        // Even of the same texts.
        m_window->fillReading(reading(15, 7, 15));
        QCOMPARE(m_effects.clipboardClears, 3);
    }

    void menusAndLabelsOpenTheirPages_data()
    {
        // The other headings and the names of Show All open none.
        test::addLinkColumns();
        test::addSharedLinkRows();
        test::addLinkRow("banner heading", "Label1", "fully-branded");
        test::addLinkRow("another heading", "Label15", "");
        test::addLinkRow("a name in Show All", "lblShowAllSolutionColor", "");
    }
    void menusAndLabelsOpenTheirPages()
    {
        QFETCH(QString, control);
        QFETCH(QString, page);
        QTest::mouseClick(child("cmdShowAll"), Qt::LeftButton);
        test::activate(m_window, control);
        QCOMPARE(m_effects.opened, page.isEmpty() ? QList<QUrl>{} : QList<QUrl>{sitePageUrl(page)});
        QCOMPARE(m_window->frontPanel(), m_window->showAllPanel());
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

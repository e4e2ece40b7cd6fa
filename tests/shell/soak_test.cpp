#include "shell/app.h"
#include "shell/qteffects.h"
#include "support/fakeeffects.h"
#include "system/settingsstore.h"
#include "system/singleinstance.h"
#include "ui/common/classicstyle.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/labels.h"
#include "ui/common/picturebox.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <deque>
#include <memory>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace tintwise;

// Wild input at the whole program: random clicks, keys, menus, typing and closes, also in the middle of its
// waits and inside the About box, run after run. Each row prints its seed; one row alone runs with
// `soak_test "soak:seed 7"`, and a failure lists the actions that led to it.
namespace {

constexpr quint32 kSeeds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr quint32 kRealWaitSeeds[] = {101, 102, 103};
// Seeds that found a fault, each kept as a row that replays the sequence named.
struct FoundSeed
{
    quint32 seed;
    const char *what;
};
constexpr FoundSeed kFoundSeeds[] = {
    {1154, "Next, then Exit before the reveal began"},
    {1219, "a patch, then the About box before the draw began"},
    {1065, "Next, then the About box before the reveal began"},
};

constexpr int kActionsPerSeed = 1000;
constexpr int kActionsPerRun = 150;
constexpr int kActionsPerRealWaitSeed = 80;
constexpr int kRealWaitsPerSeed = 4; // real one-second waits, then fast ones
constexpr int kMaxPauseDepth = 3;    // waits inside waits that still get actions of their own
constexpr int kAboutBoxSteps = 6;    // actions inside one About box before it is closed for sure
constexpr qint64 kTimeLimitMs = 60000;
constexpr std::size_t kLogLength = 20;

enum Kind
{
    Main,
    Result,
    Exit,
    About,
};
const char *const kWindowNames[] = {"frmMain", "frmDisplay", "frmNagScreen2", "frmAbout"};

int kindOf(const QObject *window)
{
    for (int kind = Main; kind <= About; ++kind)
        if (window->objectName() == QLatin1String(kWindowNames[kind]))
            return kind;
    return -1;
}

/// What a closed window shows and holds: names, visibility, stacking, geometry and texts of its controls.
QString fingerprint(QWidget *window)
{
    QString print;
    QList<QWidget *> widgets{window};
    widgets += window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect g = w->geometry();
        print += QStringLiteral("%1 %2 %3,%4 %5x%6 z%7 ")
                     .arg(w->objectName(), w->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"))
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(w->parent() ? w->parent()->children().indexOf(w) : 0);
        if (auto *label = qobject_cast<QLabel *>(w))
            print += label->text();
        else if (auto *line = qobject_cast<QLineEdit *>(w))
            print += line->text();
        else if (auto *box = qobject_cast<QPlainTextEdit *>(w))
            print += box->toPlainText();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            print += button->text() + QString::number(button->isChecked());
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            print += QString::number(combo->currentIndex());
        print += QLatin1Char('\n');
    }
    return print;
}

std::deque<QString> *g_lastActions = nullptr; // for a sanitizer's report

class Soak;

/// The platform as the soak plays it: waits that run actions, modal boxes that run queued work.
class SoakEffects : public test::FakeEffects
{
public:
    explicit SoakEffects(Soak &soak)
        : m_soak(soak)
    {
    }
    void pause(int seconds) override;
    void inform(const QString &text) override;
    bool askYesNo(const QString &text) override;
    void critical(const QString &text) override;
    double random() override;
    void endProcess() override;
    // The real emptying, so that pastes meet what the program leaves on the clipboard.
    void clearClipboard() override
    {
        FakeEffects::clearClipboard();
        emptyClipboard();
    }

private:
    Soak &m_soak;
};

class Soak : public QObject
{
public:
    Soak(quint32 seed, bool realWaits, const QString &lockPath, const QElapsedTimer &clock)
        : m_seed(seed)
        , m_realWaits(realWaits)
        , m_rng(seed)
        , m_programRng(seed ^ 0x9E3779B9u)
        , m_lockPath(lockPath)
        , m_clock(clock)
    {
        g_lastActions = &m_log;
        qApp->installEventFilter(this);
    }
    ~Soak() override { g_lastActions = nullptr; }

    void run()
    {
        QEventLoop loop; // the program's own event loop: input and queued work arrive from it
        m_loop = &loop;
        QTimer::singleShot(0, this, &Soak::tick);
        loop.exec();
    }

    QString failure() const { return m_failure; }
    QString summary() const
    {
        return QStringLiteral("seed %1: %2 runs (%3 ended), %4 actions (%5 inside waits, %6 inside the About box), "
                              "%7 readings, %8 real waits%9")
            .arg(m_seed)
            .arg(m_runs)
            .arg(m_endedRuns)
            .arg(m_actions)
            .arg(m_actionsInWaits)
            .arg(m_actionsInAbout)
            .arg(m_readings)
            .arg(m_realWaitsDone)
            .arg(m_timeUp ? QStringLiteral(", stopped at the time limit") : QString());
    }
    int actions() const { return m_actions; }

    // What the effects report.
    void pausing(int seconds);
    void messageBox()
    {
        // A modal box runs queued work and timers in its own loop; the user can only answer it.
        ++m_messageBoxes;
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
        --m_messageBoxes;
        resumeTicks();
    }
    double programRandom() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_programRng); }
    void processEnded()
    {
        log(QStringLiteral("the process ends"));
        m_ended = true;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tracked
    {
        QPointer<QWidget> window;
        int kind = -1;
        bool closed = false;
        int closedAt = 0; // tick
        bool printed = false;
        QString print;
    };
    enum class Phase
    {
        Start,
        Running,
        Verify,
    };

    int pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }
    int budget() const { return m_realWaits ? kActionsPerRealWaitSeed : kActionsPerSeed; }
    bool timeUp()
    {
        m_timeUp = m_timeUp || m_clock.elapsed() > kTimeLimitMs;
        return m_timeUp;
    }
    bool canAct()
    {
        return m_failure.isEmpty() && m_app && !m_ended && m_messageBoxes == 0 && m_runActions < kActionsPerRun &&
               m_actions < budget() && !timeUp();
    }

    void tick();
    void resumeTicks()
    {
        if (m_tickWaiting && m_pauseDepth == 0 && m_messageBoxes == 0 && !QApplication::activeModalWidget()) {
            m_tickWaiting = false;
            QTimer::singleShot(0, this, &Soak::tick);
        }
    }
    void startRun();
    void verifyTornDown();
    void driveAboutBox();

    void act();
    QWidget *chooseWindow();
    void activate(QWidget *window);
    void click(QWidget *window, bool twice);
    void clickAt(QWidget *window, QPoint at, bool twice);
    void key(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {});
    void type(QWidget *window);
    void clipboardOrPaste(QWidget *window);
    void useMenu(QMainWindow *window);
    void answerPopups();
    void notePatchPress(QWidget *target);

    Tracked *track(QWidget *window);
    void check(bool atRest);
    void fail(const QString &what);
    void log(const QString &what);

    const quint32 m_seed;
    const bool m_realWaits;
    std::mt19937 m_rng;        // the user
    std::mt19937 m_programRng; // the program's own random numbers
    const QString m_lockPath;
    const QElapsedTimer &m_clock;
    QEventLoop *m_loop = nullptr;
    QtEffects m_realEffects;

    std::unique_ptr<SoakEffects> m_effects;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<App> m_app;
    std::vector<Tracked> m_windows;
    Phase m_phase = Phase::Start;
    QDate m_today{2026, 12, 8};

    bool m_tickWaiting = false;
    bool m_ended = false;
    bool m_calm = false;
    int m_pauseDepth = 0;
    int m_messageBoxes = 0;
    int m_aboutSteps = 0;
    int m_realWaitsLeft = kRealWaitsPerSeed;
    int m_runActions = 0;
    int m_ticks = 0;
    int m_idleClicks = 0;  // patch clicks that reached a main window with no draw running
    int m_drawsBegun = 0;  // first marks of the main window's wait
    int m_resultShows = 0; // the result window coming up

    int m_runs = 0;
    int m_endedRuns = 0;
    int m_actions = 0;
    int m_actionsInWaits = 0;
    int m_actionsInAbout = 0;
    int m_readings = 0;
    int m_realWaitsDone = 0;
    bool m_timeUp = false;
    QString m_failure;
    std::deque<QString> m_log;
};

void SoakEffects::pause(int seconds)
{
    pauses.push_back(seconds);
    if (seconds > 0)
        m_soak.pausing(seconds);
}

void SoakEffects::inform(const QString &text)
{
    FakeEffects::inform(text);
    m_soak.messageBox();
}

bool SoakEffects::askYesNo(const QString &text)
{
    const bool yes = FakeEffects::askYesNo(text);
    m_soak.messageBox();
    return yes;
}

void SoakEffects::critical(const QString &text)
{
    FakeEffects::critical(text);
    m_soak.messageBox();
}

double SoakEffects::random()
{
    return m_soak.programRandom();
}

void SoakEffects::endProcess()
{
    FakeEffects::endProcess();
    m_soak.processEnded();
}

void Soak::tick()
{
    // Only at rest: waits and the About box run their own actions.
    if (m_pauseDepth > 0 || m_messageBoxes > 0 || QApplication::activeModalWidget()) {
        m_tickWaiting = true;
        return;
    }
    switch (m_phase) {
    case Phase::Start:
        if (!m_failure.isEmpty() || m_actions >= budget() || timeUp()) {
            m_loop->quit();
            return;
        }
        startRun();
        break;
    case Phase::Running:
        ++m_ticks;
        check(true);
        if (canAct()) {
            act();
            if (chance(0.15) && canAct()) // a second action before the program gets to the first one's queued work
                act();
        } else {
            m_endedRuns += m_ended ? 1 : 0;
            m_app.reset(); // the windows still loaded go with it
            m_phase = Phase::Verify;
        }
        break;
    case Phase::Verify:
        verifyTornDown();
        break;
    }
    QTimer::singleShot(0, this, &Soak::tick);
}

void Soak::startRun()
{
    ++m_runs;
    m_windows.clear();
    m_ended = false;
    m_calm = m_realWaits || chance(0.5);
    m_runActions = m_idleClicks = m_drawsBegun = m_resultShows = 0;
    m_effects = std::make_unique<SoakEffects>(*this);
    if (chance(0.2))
        m_today = m_today.addDays(20); // the update question comes up at start
    m_effects->todayValue = m_today;
    m_effects->answerYes = chance(0.5);
    m_instance = std::make_unique<SingleInstance>(m_lockPath);
    m_app = std::make_unique<App>(*m_effects);
    log(QStringLiteral("run %1 starts").arg(m_runs));
    if (!m_app->StartApplication(*m_instance))
        fail(QStringLiteral("start-up took this process for a second instance"));
    m_phase = Phase::Running;
    if (m_realWaits && m_runs == 1 && m_app->isMainWindowLoaded()) {
        // A reading first, so that the real waits come.
        MainWindow *main = m_app->mainWindow();
        PictureBox *patch = main->patch(pick(16));
        clickAt(main, patch->mapTo(main, patch->rect().center()), false);
    }
}

void Soak::verifyTornDown()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (kindOf(w) >= 0) {
            fail(w->objectName() + QStringLiteral(" outlived its run"));
            delete w;
        }
    }
    m_effects.reset();
    m_instance.reset();
    m_phase = Phase::Start;
}

void Soak::pausing(int seconds)
{
    ++m_pauseDepth;
    QTimer user;
    user.setSingleShot(true);
    if (m_realWaitsLeft > 0 && m_realWaits) {
        --m_realWaitsLeft;
        ++m_realWaitsDone;
        log(QStringLiteral("a real wait of %1 s").arg(seconds));
        connect(&user, &QTimer::timeout, this, [&] {
            if (!canAct())
                return;
            ++m_actionsInWaits;
            act();
            user.start(150 + pick(300));
        });
        user.start(150 + pick(300));
        m_realEffects.pause(seconds);
    } else {
        // A fast wait: its own loop runs queued work and a few actions, then it returns.
        QEventLoop loop;
        int left = m_pauseDepth <= kMaxPauseDepth && chance(0.6) ? 1 + pick(2) : 0;
        connect(&user, &QTimer::timeout, this, [&] {
            if (left-- > 0 && canAct()) {
                ++m_actionsInWaits;
                act();
                user.start(0);
            } else {
                loop.quit();
            }
        });
        user.start(0);
        loop.exec();
    }
    --m_pauseDepth;
    resumeTicks();
}

void Soak::driveAboutBox()
{
    QWidget *box = QApplication::activeModalWidget();
    if (!box)
        return;
    if (++m_aboutSteps > kAboutBoxSteps || !canAct()) {
        log(QStringLiteral("close the About box for sure"));
        box->close();
    } else {
        ++m_actionsInAbout;
        act(); // may close it, as Esc, Enter, OK and the close control do
    }
    if (QApplication::activeModalWidget() == box)
        QTimer::singleShot(0, this, &Soak::driveAboutBox);
    else
        QTimer::singleShot(0, this, &Soak::resumeTicks); // once its own loop has returned
}

void Soak::act()
{
    ++m_actions;
    ++m_runActions;
    QWidget *window = chooseWindow();
    if (!window) {
        log(QStringLiteral("no window to act on"));
        check(false);
        return;
    }
    activate(window);
    // In a calm run the user mostly stays, so that readings go further.
    const bool stay = m_calm && chance(0.8);
    const int what = pick(100);
    if (what < 40) {
        click(window, what < 4);
    } else if (what < 45) {
        // The number chooser: its list opens, an entry is picked.
        auto *combo = window->findChild<QComboBox *>(QStringLiteral("cmbNumber"));
        if (combo && combo->isVisible())
            clickAt(window, combo->mapTo(window, combo->rect().center()), false);
        else
            click(window, false);
    } else if (what < 65) {
        const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Space,  Qt::Key_Up,
                                Qt::Key_Down, Qt::Key_Escape,  Qt::Key_Return, Qt::Key_Enter};
        const Qt::Key k = keys[pick(stay ? 5 : 8)];
        key(window, k, k == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    } else if (what < 71) {
        type(window);
    } else if (what < 77) {
        clipboardOrPaste(window);
    } else if (what < 92) {
        if (auto *mainWindow = qobject_cast<QMainWindow *>(window))
            useMenu(mainWindow);
        else
            key(window, Qt::Key_Tab);
    } else if (what < 96 && stay) {
        click(window, false);
    } else if (what < 96) {
        log(QStringLiteral("close %1 by its close control").arg(window->objectName()));
        window->close();
    } else {
        log(QStringLiteral("wait a moment"));
    }
    answerPopups();
    check(false);
}

QWidget *Soak::chooseWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal; // nothing else takes input meanwhile
    QList<QWidget *> shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && kindOf(w) >= 0)
            shown << w;
    return shown.isEmpty() ? nullptr : shown[pick(int(shown.size()))];
}

void Soak::activate(QWidget *window)
{
    // The user's first click on a window makes it the active one.
    if (QApplication::activeWindow() != window)
        QApplication::setActiveWindow(window);
}

void Soak::click(QWidget *window, bool twice)
{
    // Anywhere at all, or on a control, weighting those that do something.
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || qobject_cast<QMenuBar *>(w) || qobject_cast<QMenu *>(w))
            continue;
        const bool active = qobject_cast<QAbstractButton *>(w) || qobject_cast<PictureBox *>(w) ||
                            qobject_cast<LinkLabel *>(w) || qobject_cast<QLineEdit *>(w) ||
                            qobject_cast<QPlainTextEdit *>(w);
        for (int i = active ? 4 : 1; i > 0; --i)
            controls << w;
    }
    QPoint at(pick(window->width()), pick(window->height()));
    if (!controls.isEmpty() && chance(0.8)) {
        QWidget *control = controls[pick(int(controls.size()))];
        at = control->mapTo(window, QPoint(pick(control->width()), pick(control->height())));
    }
    clickAt(window, at, twice);
}

void Soak::clickAt(QWidget *window, QPoint at, bool twice)
{
    // As the mouse does: whatever lies in front at that point gets the click.
    QWidget *target = window->childAt(at);
    if (!target)
        target = window;
    const QPoint pos = target->mapFrom(window, at);
    log(QStringLiteral("%1 %2/%3 at %4,%5")
            .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"), window->objectName(),
                 target->objectName())
            .arg(at.x())
            .arg(at.y()));
    const QPointer<QWidget> alive(target);
    notePatchPress(target);
    QTest::mousePress(target, Qt::LeftButton, {}, pos);
    if (alive)
        QTest::mouseRelease(target, Qt::LeftButton, {}, pos);
    if (twice && alive) {
        notePatchPress(target);
        QTest::mouseDClick(target, Qt::LeftButton, {}, pos);
        if (alive)
            QTest::mouseRelease(target, Qt::LeftButton, {}, pos);
    }
}

void Soak::key(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    log(QStringLiteral("key %1%2 on %3/%4")
            .arg(QKeySequence(QKeyCombination(modifiers, key)).toString(),
                 text.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(text), window->objectName(),
                 target->objectName()));
    if (key == Qt::Key_Space && modifiers == Qt::NoModifier)
        notePatchPress(target);
    if (text.isEmpty())
        QTest::keyClick(target, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

void Soak::type(QWidget *window)
{
    // Characters that addresses, forms and labels find awkward, and line breaks.
    static const QString pieces[] = {"a",          "Z",       "7",      " ",      "&",    "=",     "#",   "%",
                                     "+",          "?",       "@",      ".",      "é",    "ß",     "Ж",   "中",
                                     "\U0001F600", "e\u0301", "\u05D0", "\u200F", "\r\n", "&amp;", "%0A", "\t"};
    const QPointer<QWidget> alive(window);
    for (int n = 1 + pick(12); n > 0 && alive && alive->isVisible(); --n) {
        const QString piece = pieces[pick(int(std::size(pieces)))];
        if (piece == QLatin1String("\r\n"))
            key(window, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        else if (piece == QLatin1String("\t"))
            key(window, Qt::Key_Tab);
        else if (piece == QLatin1String(" "))
            key(window, Qt::Key_Space, Qt::NoModifier, piece);
        else if (piece.size() == 1 && piece[0].unicode() < 128)
            key(window, QTest::asciiToKey(piece[0].toLatin1()), Qt::NoModifier, piece);
        else
            key(window, Qt::Key_unknown, Qt::NoModifier, piece);
    }
}

void Soak::clipboardOrPaste(QWidget *window)
{
    // Another program puts something odd on the clipboard, or the user pastes by one of the four ways; on the
    // exit screen often into the unseen message field, reached by Tab.
    QClipboard *clipboard = QGuiApplication::clipboard();
    switch (pick(3)) {
    case 0: {
        const QString texts[] = {QString(65536, QLatin1Char('w')), QStringLiteral("a\0b\x01\x1b[2J\r\nc"),
                                 QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u202Eabc"), QStringLiteral("x y@z")};
        const QString &text = texts[pick(int(std::size(texts)))];
        log(QStringLiteral("clipboard: %1 characters of text").arg(text.size()));
        clipboard->setText(text);
        return;
    }
    case 1: {
        auto *data = new QMimeData;
        if (chance(0.5)) {
            log(QStringLiteral("clipboard: HTML and a picture, no text"));
            data->setHtml(QStringLiteral("<img src=\"file:///etc/passwd\"><b>b</b>"));
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            data->setImageData(picture);
        } else {
            log(QStringLiteral("clipboard: a record without formats"));
        }
        clipboard->setMimeData(data);
        return;
    }
    default:
        break;
    }
    const QPointer<QWidget> alive(window);
    if (kindOf(window) == Exit && chance(0.5)) {
        for (int tabs = 0; tabs < 9 && alive && window->focusWidget() &&
                           window->focusWidget()->objectName() != QLatin1String("txtMessage");
             ++tabs)
            key(window, Qt::Key_Tab);
    }
    if (!alive)
        return;
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    switch (pick(4)) {
    case 0:
        key(window, Qt::Key_V, Qt::ControlModifier);
        break;
    case 1:
        key(window, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case 2: {
        log(QStringLiteral("menu Paste on %1/%2").arg(window->objectName(), target->objectName()));
        std::unique_ptr<QMenu> menu;
        if (auto *line = qobject_cast<QLineEdit *>(target))
            menu.reset(line->createStandardContextMenu());
        else if (auto *box = qobject_cast<QPlainTextEdit *>(target))
            menu.reset(box->createStandardContextMenu());
        for (QAction *entry : menu ? menu->actions() : QList<QAction *>())
            if (entry->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Paste")))
                entry->trigger();
        break;
    }
    default: {
        log(QStringLiteral("middle click on %1/%2").arg(window->objectName(), target->objectName()));
        auto *box = qobject_cast<QPlainTextEdit *>(target);
        QTest::mouseClick(box ? box->viewport() : target, Qt::MiddleButton, {}, QPoint(3, 3));
        break;
    }
    }
}

void Soak::useMenu(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    const QList<QAction *> entries = bar->actions();
    if (entries.isEmpty())
        return;
    QAction *entry = entries[pick(int(entries.size()))];
    switch (pick(3)) {
    case 0: { // the entry itself, or one of its menu's
        QAction *chosen = entry;
        if (QMenu *menu = entry->menu()) {
            QList<QAction *> items;
            for (QAction *item : menu->actions())
                if (!item->isSeparator() && item->isEnabled())
                    items << item;
            if (items.isEmpty())
                return;
            chosen = items[pick(int(items.size()))];
        }
        log(QStringLiteral("choose %1 %2").arg(window->objectName(), chosen->objectName()));
        if (chosen->isEnabled())
            chosen->trigger();
        break;
    }
    case 1: // a click on its title in the menu bar
        clickAt(window, bar->mapTo(window, bar->actionGeometry(entry).center()), false);
        break;
    default: { // its access key
        const QKeySequence access = QKeySequence::mnemonic(entry->text());
        if (!access.isEmpty())
            key(window, access[0].key(), access[0].keyboardModifiers());
        break;
    }
    }
}

void Soak::answerPopups()
{
    // An opened menu or list is answered: an entry by click, access key or arrows, or Esc.
    for (int step = 0; step < 6; ++step) {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        if (step == 5 || !m_failure.isEmpty()) {
            popup->close();
            continue;
        }
        const int how = pick(4);
        if (auto *menu = qobject_cast<QMenu *>(popup)) {
            const QList<QAction *> items = menu->actions();
            QAction *item = items.isEmpty() ? nullptr : items[pick(int(items.size()))];
            if (item && how == 0) {
                clickAt(menu, menu->actionGeometry(item).center(), false);
                continue;
            }
            if (item && how == 1 && !QKeySequence::mnemonic(item->text()).isEmpty()) {
                key(menu, QKeySequence::mnemonic(item->text())[0].key());
                continue;
            }
        }
        if (how == 3) {
            key(popup, Qt::Key_Escape);
            continue;
        }
        for (int n = pick(4); n > 0; --n)
            key(popup, chance(0.7) ? Qt::Key_Down : Qt::Key_Up);
        if (QApplication::activePopupWidget() == popup)
            key(popup, Qt::Key_Return);
    }
}

void Soak::notePatchPress(QWidget *target)
{
    auto *patch = qobject_cast<PictureBox *>(target);
    if (!patch || !patch->objectName().startsWith(QLatin1String("picColor")))
        return;
    auto *main = qobject_cast<MainWindow *>(patch->window());
    if (main && main->isVisible() && main->waitPanel()->isHidden())
        ++m_idleClicks;
}

bool Soak::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Close && type != QEvent::ShowToParent)
        return false;
    if (!watched->isWidgetType() || !m_app)
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (type == QEvent::ShowToParent) {
        if (widget->objectName() != QLatin1String("shp1"))
            return false;
        // The first mark of a wait: a draw on the main window, a reveal on the result window.
        const int kind = kindOf(widget->window());
        if (kind == Main)
            ++m_drawsBegun;
        if ((kind == Main || kind == Result) && QApplication::activeModalWidget())
            fail(widget->window()->objectName() + QStringLiteral(" began a wait under a modal box"));
        return false;
    }
    if (!widget->isWindow() || kindOf(widget) < 0)
        return false;
    Tracked *t = track(widget);
    if (!t)
        return false;
    if (type == QEvent::Close || (type == QEvent::Hide && t->kind == About)) {
        t->closed = true;
        t->closedAt = m_ticks;
    } else if (type == QEvent::Show) {
        if (t->closed)
            fail(QStringLiteral("%1 shown again after its close").arg(widget->objectName()));
        if (m_ended)
            fail(QStringLiteral("%1 shown after the process ended").arg(widget->objectName()));
        if (t->kind == Result) {
            ++m_resultShows;
            ++m_readings;
        }
        if (t->kind == About) {
            m_aboutSteps = 0;
            QTimer::singleShot(0, this, &Soak::driveAboutBox);
        }
    }
    return false;
}

Soak::Tracked *Soak::track(QWidget *window)
{
    for (Tracked &t : m_windows)
        if (t.window == window)
            return &t;
    if (m_ended)
        fail(QStringLiteral("%1 loaded after the process ended").arg(window->objectName()));
    Tracked &t = m_windows.emplace_back();
    t.window = window;
    t.kind = kindOf(window);
    return &t;
}

void Soak::check(bool atRest)
{
    if (!m_failure.isEmpty() || !m_app)
        return;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (kindOf(w) >= 0)
            track(w);
    int loaded[4] = {};
    bool shown = false;
    for (Tracked &t : m_windows) {
        QWidget *w = t.window;
        if (!w)
            continue;
        const QString name = w->objectName();
        if (t.closed) {
            // A closed window is never touched again, until it is deleted.
            if (w->isVisible())
                return fail(name + QStringLiteral(" is visible after its close"));
            const QString print = fingerprint(w);
            if (t.printed && print != t.print)
                return fail(name + QStringLiteral(" changed after its close"));
            if (atRest && m_ticks > t.closedAt + 2) // the event loop has had its turn to delete it
                return fail(name + QStringLiteral(" closed but not deleted"));
            t.print = print;
            t.printed = true;
            continue;
        }
        if (m_ended)
            return fail(name + QStringLiteral(" still loaded after the quit routine"));
        if (++loaded[t.kind] > 1)
            return fail(QStringLiteral("two %1 loaded at once").arg(name));
        shown = shown || (t.kind != About && w->isVisible());
        if (atRest && w->isVisible() && !w->isEnabled())
            return fail(name + QStringLiteral(" shown but disabled with no box over it"));
        if (atRest && w->isVisible()) {
            // No wait runs at rest, so no wait panel may be left over the controls.
            QWidget *wait = nullptr;
            if (auto *main = qobject_cast<MainWindow *>(w))
                wait = main->waitPanel();
            else if (auto *result = qobject_cast<ResultWindow *>(w))
                wait = result->waitPanel();
            if (wait && !wait->isHidden())
                return fail(name + QStringLiteral(" left its wait panel up with no wait running"));
        }
    }
    if (!m_ended && !shown)
        return fail(QStringLiteral("no window shown, yet the process goes on"));
    if (m_effects->ends != (m_ended ? 1 : 0))
        return fail(QStringLiteral("the process ended %1 times").arg(m_effects->ends));
    if (m_drawsBegun > m_idleClicks)
        return fail(QStringLiteral("%1 draws from %2 patch clicks").arg(m_drawsBegun).arg(m_idleClicks));
    if (m_resultShows > m_drawsBegun)
        return fail(QStringLiteral("%1 results from %2 draws").arg(m_resultShows).arg(m_drawsBegun));
    if (atRest && QApplication::activePopupWidget())
        return fail(QStringLiteral("a menu or list left open"));
}

void Soak::fail(const QString &what)
{
    if (!m_failure.isEmpty())
        return;
    m_failure = QStringLiteral("seed %1, run %2, action %3: %4\nlast actions:")
                    .arg(m_seed)
                    .arg(m_runs)
                    .arg(m_actions)
                    .arg(what);
    for (const QString &line : m_log)
        m_failure += QStringLiteral("\n  ") + line;
}

void Soak::log(const QString &what)
{
    m_log.push_back(QStringLiteral("#%1 run %2%3: %4")
                        .arg(m_actions)
                        .arg(m_runs)
                        .arg(m_pauseDepth > 0 ? QStringLiteral(" in wait %1").arg(m_pauseDepth) : QString(), what));
    if (m_log.size() > kLogLength)
        m_log.pop_front();
}

#if defined(__SANITIZE_ADDRESS__)
void printLastActions()
{
    if (!g_lastActions)
        return;
    std::fprintf(stderr, "last actions of the soak:\n");
    for (const QString &line : *g_lastActions)
        std::fprintf(stderr, "  %s\n", qPrintable(line));
}
#endif

QtMessageHandler g_previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Clicks and keys on controls that ignore them are the point here, not a warning.
    // The offscreen platform cannot raise windows nor grab the keyboard for a popup; nothing here needs it.
    if (message.contains(QLatin1String("not accepted by receiving widget")) ||
        message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_previousHandler(type, context, message);
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void soak_data();
    void soak();

private:
    QElapsedTimer m_clock;
    int m_actions = 0;
};

void SoakTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // As the program sets itself up.
    QApplication::setStyle(new ClassicStyle);
    registerFontSubstitutes();
    QApplication::setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    QApplication::setQuitOnLastWindowClosed(false);
    g_previousHandler = qInstallMessageHandler(quietHandler);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(printLastActions);
#endif
    m_clock.start();
}

void SoakTest::cleanupTestCase()
{
    qInfo("%d actions in %.1f s", m_actions, m_clock.elapsed() / 1000.0);
}

void SoakTest::soak_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("realWaits");
    for (const FoundSeed &found : kFoundSeeds)
        QTest::addRow("seed %u, %s", found.seed, found.what) << found.seed << false;
    for (quint32 seed : kSeeds)
        QTest::addRow("seed %u", seed) << seed << false;
    for (quint32 seed : kRealWaitSeeds)
        QTest::addRow("seed %u, real waits", seed) << seed << true;
}

void SoakTest::soak()
{
    QFETCH(quint32, seed);
    QFETCH(bool, realWaits);
    if (m_clock.elapsed() > kTimeLimitMs)
        QSKIP("the time limit was reached before this seed");
    QTemporaryDir dir; // the per-user settings and the instance lock of this seed alone, so that it replays
    QVERIFY(dir.isValid());
    tintwise::SettingsStore::setConfigFolder(dir.path());
    Soak soak(seed, realWaits, dir.filePath(QStringLiteral("soak.lock")), m_clock);
    soak.run();
    m_actions += soak.actions();
    qInfo("%s", qPrintable(soak.summary()));
    if (!soak.failure().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(soak.failure())); // longer than a failure message may be
    QVERIFY2(soak.failure().isEmpty(), qPrintable(soak.failure().section(QLatin1Char('\n'), 0, 0)));
}

QTEST_MAIN(SoakTest)
#include "soak_test.moc"

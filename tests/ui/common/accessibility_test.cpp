#include "shell/app.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/labels.h"
#include "ui/common/picturebox.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace tintwise;

namespace {

const char kUnderABus[] = "TINTWISE_TEST_ACCESSIBILITY_BUS";

bool actedOn(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget) ||
           qobject_cast<const LinkLabel *>(widget) || (widget->focusPolicy() & Qt::TabFocus);
}

struct Sent
{
    QObject *object;
    QAccessible::Event type;
    bool operator==(const Sent &) const = default;
};
QList<Sent> s_sent;

/// The four windows of one run, each found by its object name.
struct Windows
{
    test::FakeEffects effects;
    App app{effects};
    AboutWindow about{effects};

    QWidget *byName(const QString &name)
    {
        if (name == QLatin1String("frmMain"))
            return app.mainWindow();
        if (name == QLatin1String("frmDisplay"))
            return app.resultWindow();
        if (name == QLatin1String("frmNagScreen2"))
            return app.exitWindow();
        return &about;
    }
};

/// What the user can act on in a window. The toolkit's own parts (a menu bar's overflow button, a list's popup) are
/// the toolkit's business.
QList<QWidget *> controlsOf(QWidget *top)
{
    QList<QWidget *> controls;
    for (QWidget *widget : top->findChildren<QWidget *>())
        if (widget->window() == top && !widget->objectName().startsWith(QLatin1String("qt_")) && actedOn(widget))
            controls << widget;
    return controls;
}

void addWindowRows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "frmMain";
    QTest::newRow("result window") << "frmDisplay";
    QTest::newRow("exit screen") << "frmNagScreen2";
    QTest::newRow("About box") << "frmAbout";
}

} // namespace

/// What a screen reader finds in the four windows: a name for everything the user can act on, and the waits
/// announcing themselves.
class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void everyControlHasAName_data();
    void everyControlHasAName();
    void linksAndPatchesSayWhatAClickDoes_data() { addWindowRows(); }
    void linksAndPatchesSayWhatAClickDoes();
    void pressOnALinkOpensItsPage_data() { addWindowRows(); }
    void pressOnALinkOpensItsPage();
    void fieldNamesDoNotFollowTheirPlaceholders();
    void waitsAnnounceThemselves_data();
    void waitsAnnounceThemselves();

private:
    void runAgainWhereAScreenReaderCouldListen();
};

void AccessibilityTest::everyControlHasAName_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("controls"); // menu entries included: a control the walk passes by shows here
    QTest::newRow("main window") << "frmMain" << 22 + 9;
    QTest::newRow("result window") << "frmDisplay" << 12 + 11;
    QTest::newRow("exit screen") << "frmNagScreen2" << 9;
    QTest::newRow("About box") << "frmAbout" << 3;
}

void AccessibilityTest::everyControlHasAName()
{
    QFETCH(QString, window);
    QFETCH(int, controls);
    Windows windows;
    QWidget *top = windows.byName(window);

    QStringList faults;
    int visited = 0;
    const auto named = [&](QAccessibleInterface *node, const QString &what) {
        ++visited;
        const QString name = node ? node->text(QAccessible::Name) : QString();
        if (name.trimmed().isEmpty() || name.contains(QLatin1Char('&')))
            faults << QStringLiteral("%1 is named \"%2\"").arg(what, name);
    };
    for (QWidget *widget : controlsOf(top))
        named(QAccessible::queryAccessibleInterface(widget), widget->objectName());
    if (auto *bar = top->findChild<QMenuBar *>()) {
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface *child = node->child(i);
                if (child->role() == QAccessible::MenuItem)
                    named(child, QStringLiteral("menu entry %1").arg(child->text(QAccessible::Name)));
                walk(child); // separators have no entries; a menu's entries lie in its popup
            }
        };
        walk(QAccessible::queryAccessibleInterface(bar));
    }

    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QCOMPARE(visited, controls);
}

void AccessibilityTest::linksAndPatchesSayWhatAClickDoes()
{
    QFETCH(QString, window);
    Windows windows;
    QStringList faults;
    int seen = 0;
    for (QWidget *widget : controlsOf(windows.byName(window))) {
        auto *link = qobject_cast<LinkLabel *>(widget);
        auto *patch = qobject_cast<PictureBox *>(widget);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
        if (!(link || patch) || !node)
            continue;
        ++seen;
        const QString what = widget->objectName();
        if (node->text(QAccessible::Description).isEmpty())
            faults << what + QStringLiteral(" says nothing of what a click does");
        if (patch && node->role() != QAccessible::Button)
            faults << what + QStringLiteral(" is no button");
        // Kept out of the tab order.
        if (link && (node->role() != QAccessible::Link || link->focusPolicy() != Qt::NoFocus))
            faults << what + QStringLiteral(" is no link outside the tab order");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(seen > 0);
}

void AccessibilityTest::pressOnALinkOpensItsPage()
{
    // A screen reader's press opens the page as a click does.
    QFETCH(QString, window);
    Windows windows;
    QStringList faults;
    int links = 0;
    for (QWidget *widget : controlsOf(windows.byName(window))) {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
        if (!qobject_cast<LinkLabel *>(widget) || !node)
            continue;
        ++links;
        const QString press = QAccessibleActionInterface::pressAction();
        QAccessibleActionInterface *actions = node->actionInterface();
        const qsizetype opened = windows.effects.opened.size();
        if (actions && actions->actionNames().contains(press))
            actions->doAction(press);
        if (windows.effects.opened.size() != opened + 1)
            faults << widget->objectName() + QStringLiteral(" opens nothing when pressed");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(links > 0);
}

void AccessibilityTest::fieldNamesDoNotFollowTheirPlaceholders()
{
    // A field's text is its placeholder until the user types: its name must not follow it. Only the exit screen
    // has fields.
    Windows windows;
    QStringList faults;
    int fields = 0;
    for (QWidget *widget : controlsOf(windows.app.exitWindow())) {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
        if (!node)
            continue;
        const QString name = node->text(QAccessible::Name);
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            line->setText(QStringLiteral("someone@example.org"));
        else if (auto *message = qobject_cast<MessageField *>(widget))
            message->setText(QStringLiteral("Hello\r\n"));
        else
            continue;
        ++fields;
        if (node->text(QAccessible::Name) != name)
            faults << widget->objectName() + QStringLiteral(" changes its name with its text");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QCOMPARE(fields, 5);
}

void AccessibilityTest::waitsAnnounceThemselves_data()
{
    QTest::addColumn<bool>("reveal");
    QTest::newRow("main window's draw") << false;
    QTest::newRow("result window's reveal") << true;
}

void AccessibilityTest::waitsAnnounceThemselves()
{
    QFETCH(bool, reveal);
    if (!qEnvironmentVariableIsSet(kUnderABus)) {
        runAgainWhereAScreenReaderCouldListen();
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 15000);
    // The handler takes every event instead of the screen readers' bus.
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) { s_sent.append({event->object(), event->type()}); });
    const auto uninstall = qScopeGuard([] {
        QAccessible::installUpdateHandler(nullptr);
        s_sent.clear();
    });

    test::FakeEffects effects;
    App app(effects);
    MainWindow *main = app.mainWindow();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    // What was said by the first pause of the wait, while the strip is up.
    const int firstPause = reveal ? 5 : 1;
    QList<Sent> sentByFirstPause;
    effects.onPause = [&](int pause) {
        if (pause == firstPause)
            sentByFirstPause = s_sent;
    };

    QTest::mouseClick(main->patch(3), Qt::LeftButton);
    QTRY_VERIFY(app.isResultWindowLoaded() && app.resultWindow()->isVisible());
    ResultWindow *result = app.resultWindow();
    if (reveal) {
        QTest::mouseClick(result->findChild<QPushButton *>(QStringLiteral("cmdChoosenColor")), Qt::LeftButton);
        QTRY_VERIFY(result->frontPanel() == result->problemPanel());
    }

    QObject *strip = reveal ? result->waitStrip().picMessage : main->waitStrip().picMessage;
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(strip);
    QVERIFY(node);
    QCOMPARE(node->text(QAccessible::Name), QStringLiteral("Please Wait"));
    QCOMPARE(node->role(), QAccessible::Notification);
    QVERIFY(sentByFirstPause.contains(Sent{strip, QAccessible::ObjectShow}));
    QVERIFY(sentByFirstPause.contains(Sent{strip, QAccessible::Alert}));
}

// Offscreen no screen reader can listen, and the toolkit drops every accessibility event before any handler
// sees it. So the check runs again in a private X server, beside a private bus for screen readers.
void AccessibilityTest::runAgainWhereAScreenReaderCouldListen()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString session = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    const QString launcher =
        QStandardPaths::findExecutable(QStringLiteral("at-spi-bus-launcher"),
                                       {QStringLiteral("/usr/libexec"), QStringLiteral("/usr/libexec/at-spi2-core"),
                                        QStringLiteral("/usr/lib/at-spi2-core")});
    if (xvfb.isEmpty() || session.isEmpty() || launcher.isEmpty())
        QSKIP("needs Xvfb, dbus-run-session and at-spi-bus-launcher (apt-get install xvfb dbus-daemon at-spi2-core)");

    // The server picks a free display and writes its number on our pipe once it accepts connections.
    QProcess server;
    server.start(xvfb, QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset").split(' '));
    const auto stop = qScopeGuard([&] {
        server.kill();
        server.waitForFinished();
    });
    QVERIFY(server.waitForStarted() && server.waitForReadyRead(15000));
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.insert(QLatin1String(kUnderABus), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(session,
                {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                 QStringLiteral("\"$0\" & exec \"$1\" \"$2\""), launcher, QCoreApplication::applicationFilePath(),
                 QStringLiteral("waitsAnnounceThemselves:") + QLatin1String(QTest::currentDataTag())});
    QVERIFY(child.waitForFinished(90000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

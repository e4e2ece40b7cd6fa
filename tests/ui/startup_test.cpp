#include "shell/settingscodec.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tintwise;

// Runs the real program as a user starts it, twice with the same home folder, then under another file name.
// The question is a modal message box and the program takes no options, so it is seen from outside: the
// program runs on a private virtual X server, where its top-level windows show up by title ("Zorvel Tintwise"
// for message boxes, "Zorvel Tintwise v1.25" for the main window) and a key press answers the box.
class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { stop(m_xvfb); }
    void cleanup() { stop(m_program); }
    void fifteenDaysAfterTheFirstRunTheQuestionComesBeforeTheMainWindow();

private:
    static void stop(QProcess &process)
    {
        process.kill();
        process.waitForFinished();
    }
    QByteArray xdotool(const QStringList &arguments);
    bool shown(const char *titlePattern);
    QString settingsFile(const QString &application) const
    {
        return m_home.filePath(QStringLiteral("config/Arcanel/%1.conf").arg(application));
    }
    QString storedDate(const QString &application);
    void storeDate(QDate date);

    QString m_xdotool;
    QProcess m_xvfb;
    QTemporaryDir m_home;
    QProcess m_program;
    int m_copies = 0;
};

void StartupTest::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || m_xdotool.isEmpty())
        QSKIP("needs Xvfb and xdotool (apt-get install xvfb xdotool)");

    // Display numbers near 0 come and go with other servers on a shared machine: try a few far from them.
    // The server writes its number on our pipe once it accepts connections. Without -noreset it would reset
    // whenever our window searches disconnect, refusing the program if it connected just then.
    QByteArray display;
    for (int attempt = 0; attempt < 20 && display.isEmpty(); ++attempt) {
        const qint64 number = 1000 + (QCoreApplication::applicationPid() * 7 + attempt * 131) % 8000;
        m_xvfb.start(xvfb, QStringLiteral(":%1 -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset")
                               .arg(number)
                               .split(QLatin1Char(' ')));
        if (m_xvfb.waitForStarted() && m_xvfb.waitForReadyRead(10000))
            display = m_xvfb.readLine().trimmed();
        if (display.isEmpty())
            stop(m_xvfb);
    }
    QVERIFY2(!display.isEmpty(), "no virtual X server came up");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    m_program.setProcessEnvironment(environment);
}

QByteArray StartupTest::xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(m_program.processEnvironment());
    tool.start(m_xdotool, arguments);
    tool.waitForFinished(5000);
    return tool.readAllStandardOutput().trimmed();
}

bool StartupTest::shown(const char *titlePattern)
{
    // Only visible windows of the process started here count.
    return !xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(m_program.processId()), QStringLiteral("--name"),
                     QLatin1String(titlePattern)})
                .isEmpty();
}

QString StartupTest::storedDate(const QString &application)
{
    // Through a copy under a new name: parsed from disk, never from this process's settings cache.
    const QString copy = m_home.filePath(QStringLiteral("copy%1.conf").arg(++m_copies));
    QFile::copy(settingsFile(application), copy);
    const QSettings settings(copy, QSettings::IniFormat);
    return DecodeSettingText(
        settings.value(QStringLiteral("Settings/") + EncodeSettingText(QStringLiteral("Duration"))).toString());
}

void StartupTest::storeDate(QDate date)
{
    QSettings settings(settingsFile(QStringLiteral("ZorvelFreeTintwise")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Settings/") + EncodeSettingText(QStringLiteral("Duration")),
                      EncodeSettingText(settingDateText(date)));
    settings.sync();
}

void StartupTest::fifteenDaysAfterTheFirstRunTheQuestionComesBeforeTheMainWindow()
{
    const QString program = qEnvironmentVariable("TINTWISE_EXECUTABLE");
    const QString name = QStringLiteral("ZorvelFreeTintwise");
    const QString today = settingDateText(QDate::currentDate());
    const QString fifteenDaysAgo = settingDateText(QDate::currentDate().addDays(-15));

    // First run: no question, and today is on disk by the time the window is up, not left for the exit.
    m_program.start(program);
    QTRY_VERIFY_WITH_TIMEOUT(shown("^Zorvel Tintwise v1\\.25$"), 10000);
    QVERIFY(!shown("^Zorvel Tintwise$"));
    QCOMPARE(storedDate(name), today);
    stop(m_program);

    // Fifteen days later the question comes while no window of the program is up, and nothing is written yet.
    storeDate(QDate::currentDate().addDays(-15));
    m_program.start(program);
    QTRY_VERIFY_WITH_TIMEOUT(shown("^Zorvel Tintwise$"), 10000);
    QVERIFY(!shown("^Zorvel Tintwise v1\\.25$"));
    QCOMPARE(storedDate(name), fifteenDaysAgo);

    // Escape answers No: the main window comes and today is stored.
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    QTRY_VERIFY_WITH_TIMEOUT(shown("^Zorvel Tintwise v1\\.25$"), 10000);
    QVERIFY(!shown("^Zorvel Tintwise$"));
    QTRY_COMPARE(storedDate(name), today);
    stop(m_program);

    // Under another file name the program keeps settings of its own: a first run again, no question.
    storeDate(QDate::currentDate().addDays(-15));
    const QString copy = m_home.filePath(QStringLiteral("TintwiseCopy.exe"));
    QVERIFY(QFile::copy(program, copy));
    m_program.start(copy);
    QTRY_VERIFY_WITH_TIMEOUT(shown("^Zorvel Tintwise v1\\.25$"), 10000);
    QVERIFY(!shown("^Zorvel Tintwise$"));
    QCOMPARE(storedDate(QStringLiteral("TintwiseCopy")), today);
    QCOMPARE(storedDate(name), fifteenDaysAgo);
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

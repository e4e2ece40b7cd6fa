#include "shell/settingscodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Runs the real program the way a user starts it, twice with the same home folder, then once more under
// another file name. The question is a modal
// message box and the program takes no options, so it is seen from outside: the program runs on a private
// virtual X server, where each top-level window shows up under its title ("Zorvel Tintwise" for message
// boxes, "Zorvel Tintwise v1.25" for the main window) and a key press answers the box.
class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void fifteenDaysAfterTheFirstRunTheQuestionComesBeforeTheMainWindow();

private:
    void start(const QString &executable);
    QStringList windows(const QString &titlePattern);
    bool questionShown() { return !windows(QStringLiteral("^Zorvel Tintwise$")).isEmpty(); }
    bool mainWindowShown() { return !windows(QStringLiteral("^Zorvel Tintwise v1\\.25$")).isEmpty(); }
    QString settingsFile(const QString &application) const;
    QString storedDate(const QString &application);
    void storeDate(const QString &application, QDate date);
    void stopProgram();

    QString m_xdotool;
    QProcess m_xvfb;
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_program;
    int m_copies = 0;
};

void StartupTest::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || m_xdotool.isEmpty())
        QSKIP("needs Xvfb and xdotool (apt-get install xvfb xdotool)");
    QVERIFY(m_home.isValid());

    // Display numbers near 0 are taken and freed all the time by other servers on a shared machine: try a few
    // far from them. The server writes the number on our pipe once it accepts connections. Without -noreset
    // it would reset each time our window searches disconnect, refusing the program if it connects then.
    QByteArray display;
    for (int attempt = 0; attempt < 20 && display.isEmpty(); ++attempt) {
        const int number = 1000 + int((QCoreApplication::applicationPid() * 7 + attempt * 131) % 8000);
        m_xvfb.start(xvfb, {QStringLiteral(":%1").arg(number), QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (m_xvfb.waitForStarted() && m_xvfb.waitForReadyRead(10000))
            display = m_xvfb.readLine().trimmed();
        if (display.isEmpty()) {
            m_xvfb.kill();
            m_xvfb.waitForFinished();
        }
    }
    QVERIFY2(!display.isEmpty(), "no virtual X server came up");

    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(display));
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_environment.insert(QStringLiteral("HOME"), m_home.path());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("run")));
    QFile::setPermissions(m_home.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("run")));
    m_program.setProcessEnvironment(m_environment);
}

void StartupTest::cleanupTestCase()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.kill();
        m_xvfb.waitForFinished();
    }
}

void StartupTest::cleanup()
{
    stopProgram();
}

void StartupTest::stopProgram()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished();
    }
}

void StartupTest::start(const QString &executable)
{
    m_program.start(executable, {});
    QVERIFY(m_program.waitForStarted());
}

QStringList StartupTest::windows(const QString &titlePattern)
{
    QProcess search;
    search.setProcessEnvironment(m_environment);
    search.start(m_xdotool,
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern});
    search.waitForFinished(5000);
    return QString::fromLatin1(search.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString StartupTest::settingsFile(const QString &application) const
{
    return m_home.filePath(QStringLiteral("config/Arcanel/%1.conf").arg(application));
}

QString StartupTest::storedDate(const QString &application)
{
    // Through a copy under a new name: parsed from disk, never from this process's settings cache.
    const QString copy = m_home.filePath(QStringLiteral("copy%1.conf").arg(++m_copies));
    if (!QFile::copy(settingsFile(application), copy))
        return {};
    const QSettings settings(copy, QSettings::IniFormat);
    const QString key = QStringLiteral("Settings/") + tintwise::EncodeSettingText(QStringLiteral("Duration"));
    return tintwise::DecodeSettingText(settings.value(key).toString());
}

void StartupTest::storeDate(const QString &application, QDate date)
{
    QSettings settings(settingsFile(application), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Settings/") + tintwise::EncodeSettingText(QStringLiteral("Duration")),
                      tintwise::EncodeSettingText(tintwise::settingDateText(date)));
    settings.sync();
    QCOMPARE(settings.status(), QSettings::NoError);
}

void StartupTest::fifteenDaysAfterTheFirstRunTheQuestionComesBeforeTheMainWindow()
{
    const QString program = qEnvironmentVariable("TINTWISE_EXECUTABLE");
    const QString name = QStringLiteral("ZorvelFreeTintwise");
    const QString today = tintwise::settingDateText(QDate::currentDate());

    // First run: no question, and today is on disk by the time the window is up, not left for the exit.
    start(program);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);
    QVERIFY(!questionShown());
    QCOMPARE(storedDate(name), today);
    stopProgram();

    // Fifteen days later the question comes, and no window of the program is up meanwhile.
    storeDate(name, QDate::currentDate().addDays(-15));
    const QString fifteenDaysAgo = storedDate(name);
    start(program);
    QTRY_VERIFY_WITH_TIMEOUT(questionShown(), 10000);
    QVERIFY(!mainWindowShown());
    QCOMPARE(storedDate(name), fifteenDaysAgo);

    // Escape answers No: the main window comes and today is stored.
    QProcess key;
    key.setProcessEnvironment(m_environment);
    key.start(m_xdotool, {QStringLiteral("key"), QStringLiteral("Escape")});
    QVERIFY(key.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);
    QVERIFY(!questionShown());
    QTRY_COMPARE(storedDate(name), today);
    stopProgram();

    // The same program under another name keeps its own settings: a first run again, no question.
    storeDate(name, QDate::currentDate().addDays(-15));
    const QString copy = m_home.filePath(QStringLiteral("TintwiseCopy.exe"));
    QVERIFY(QFile::copy(program, copy));
    start(copy);
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 10000);
    QVERIFY(!questionShown());
    QCOMPARE(storedDate(QStringLiteral("TintwiseCopy")), today);
    QCOMPARE(storedDate(name), fifteenDaysAgo);
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

#include "system/commandline.h"

#include <gtest/gtest.h>

namespace tintwise {
namespace {

CommandLineRequest parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("/usr/games/ZorvelFreeTintwise"));
    return parseCommandLine(arguments);
}

struct Answer
{
    QStringList arguments;
    bool toOutput; // else to standard error
    int exitCode;
    QString firstLine;
};

class CommandLineAnswers : public testing::TestWithParam<Answer>
{
};

TEST_P(CommandLineAnswers, PrintsToTheRightStreamAndEndsWithTheRightStatus)
{
    const Answer &answer = GetParam();
    const CommandLineRequest request = parse(answer.arguments);
    EXPECT_FALSE(request.run);
    EXPECT_EQ(request.exitCode, answer.exitCode);
    const QString &shown = answer.toOutput ? request.output : request.error;
    const QString &silent = answer.toOutput ? request.error : request.output;
    EXPECT_TRUE(silent.isEmpty()) << silent.toStdString();
    EXPECT_EQ(shown.section(QLatin1Char('\n'), 0, 0), answer.firstLine) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QLatin1Char('\n')));
    if (answer.exitCode == 2) {
        EXPECT_TRUE(shown.contains(QStringLiteral("\nUsage: ZorvelFreeTintwise [options]\n"))) << shown.toStdString();
    }
}

const QString kUsage = QStringLiteral("Usage: ZorvelFreeTintwise [options]");

INSTANTIATE_TEST_SUITE_P(
    CommandLine,
    CommandLineAnswers,
    testing::Values(
        Answer{{QStringLiteral("--help")}, true, 0, kUsage},
        Answer{{QStringLiteral("-h")}, true, 0, kUsage},
        Answer{
            {QStringLiteral("--help-all")}, false, 2, QStringLiteral("ZorvelFreeTintwise: Unknown option 'help-all'.")},
        Answer{{QStringLiteral("--version")}, true, 0, QStringLiteral("ZorvelFreeTintwise 1.25")},
        Answer{{QStringLiteral("-v")}, true, 0, QStringLiteral("ZorvelFreeTintwise 1.25")},
        // Help wins over the version, as most programs do.
        Answer{{QStringLiteral("--version"), QStringLiteral("--help")}, true, 0, kUsage},
        Answer{{QStringLiteral("--colour")}, false, 2, QStringLiteral("ZorvelFreeTintwise: Unknown option 'colour'.")},
        Answer{{QStringLiteral("-x")}, false, 2, QStringLiteral("ZorvelFreeTintwise: Unknown option 'x'.")},
        // A bad option is an error even beside --help: the user mistyped something.
        Answer{{QStringLiteral("--help"), QStringLiteral("--bogus")},
               false,
               2,
               QStringLiteral("ZorvelFreeTintwise: Unknown option 'bogus'.")},
        Answer{{QStringLiteral("-platform")},
               false,
               2,
               QStringLiteral("ZorvelFreeTintwise: Missing value after '-platform'.")},
        Answer{{QStringLiteral("reading.txt")},
               false,
               2,
               QStringLiteral("ZorvelFreeTintwise: Unexpected argument 'reading.txt'.")}));

TEST(CommandLine, QtsOwnOptionsAndNoOptionsStartTheProgram)
{
    const QList<QStringList> starts = {
        {},
        {QStringLiteral("-platform"), QStringLiteral("offscreen")},
        {QStringLiteral("-platform=xcb"), QStringLiteral("-style"), QStringLiteral("fusion")},
        {QStringLiteral("--style=fusion"), QStringLiteral("-reverse"), QStringLiteral("-widgetcount")},
        {QStringLiteral("-display"), QStringLiteral(":1"), QStringLiteral("-qwindowgeometry"), QStringLiteral("+0+0")},
        {QStringLiteral("-session"), QStringLiteral("1234_5678")},
    };
    for (const QStringList &arguments : starts) {
        const CommandLineRequest request = parse(arguments);
        EXPECT_TRUE(request.run) << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                                 << request.error.toStdString();
        EXPECT_TRUE(request.output.isEmpty() && request.error.isEmpty());
    }
}

TEST(CommandLine, HelpNamesTheOptionsButNotQtsHiddenOnes)
{
    const QString help = parse({QStringLiteral("--help")}).output;
    for (const char *shown : {"--help", "--version", "-platform"})
        EXPECT_TRUE(help.contains(QLatin1String(shown))) << shown;
    EXPECT_FALSE(help.contains(QLatin1String("--platform"))) << help.toStdString();
    EXPECT_FALSE(help.contains(QLatin1String("<executable_name>")));
}

} // namespace
} // namespace tintwise

#include "system/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace tintwise {
namespace {

const QString kProgram = QStringLiteral("ZorvelFreeTintwise");

// Taken by QGuiApplication and QApplication themselves; accepted here so they reach them untouched.
const char *const kQtValueOptions[] = {"platform",
                                       "platformpluginpath",
                                       "platformtheme",
                                       "plugin",
                                       "qwindowgeometry",
                                       "qwindowicon",
                                       "qwindowtitle",
                                       "session",
                                       "display",
                                       "geometry",
                                       "title",
                                       "icon",
                                       "name",
                                       "style",
                                       "stylesheet",
                                       "qmljsdebugger",
                                       "dialogs",
                                       "fontengine"};
const char *const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

} // namespace

CommandLineRequest parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Divination by colour: think of a number, click the colour that draws your attention\n"
                       "and read your colour of the day, your problem colour and your solution colour.\n\n"
                       "Qt's standard options, such as -platform and -style, are accepted as well;\n"
                       "see ZorvelFreeTintwise(6)."));
    // Qt's options are single-dash words: -platform is one option, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all promises Qt's options, which only an application object can list.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the program's name and version and exits."));
    parser.addOption(version);
    for (const char *name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = arguments.isEmpty() ? kProgram : QFileInfo(arguments.first()).fileName();
    // Without an application object the parser cannot know the program's name for its usage line.
    const auto helpText = [&] { return parser.helpText().replace(QStringLiteral("<executable_name>"), program); };

    CommandLineRequest request;
    QString problem;
    if (!parser.parse(arguments))
        problem = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());

    if (!problem.isEmpty()) {
        request.run = false;
        request.exitCode = 2;
        request.error = QStringLiteral("%1: %2\n").arg(program, problem) + helpText();
    } else if (parser.isSet(help)) {
        request.run = false;
        request.output = helpText();
    } else if (parser.isSet(version)) {
        request.run = false;
        request.output = QStringLiteral("%1 %2\n").arg(kProgram, QStringLiteral(TINTWISE_VERSION));
    }
    return request;
}

} // namespace tintwise

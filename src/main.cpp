#include "shell/app.h"
#include "shell/qteffects.h"
#include "system/commandline.h"
#include "system/singleinstance.h"
#include "system/termination.h"
#include "ui/common/classicstyle.h"
#include "ui/common/fonts.h"
#include "ui/common/windowsetup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool platformChosen(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    // --help, --version and usage errors answer before any display is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tintwise::CommandLineRequest request = tintwise::parseCommandLine(arguments);
    if (!request.run) {
        std::fputs(request.output.toLocal8Bit().constData(), stdout);
        std::fputs(request.error.toLocal8Bit().constData(), stderr);
        return request.exitCode;
    }

    // Without a display Qt aborts with a long message; say it in one line instead.
    if (!platformChosen(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "ZorvelFreeTintwise: no display found; on a machine without one run it as: "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }

    // A Wayland desktop lets no program place its windows or keep one above the others. Through XWayland the
    // windows come up centred and the exit screen stays on top; natively they still work, placed by the desktop.
    if (!platformChosen(argc, argv) && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");

    QApplication application(argc, argv);
    // The same look on every desktop: classic buttons and text boxes in the design's colours.
    QApplication::setStyle(new tintwise::ClassicStyle);
    tintwise::registerFontSubstitutes();
    QApplication::setFont(tintwise::designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    QApplication::setWindowIcon(tintwise::applicationIcon());
    // Only the quit routine ends the process, never the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    tintwise::QtEffects effects;
    tintwise::SingleInstance instance;
    tintwise::App app(effects);
    // SIGTERM, SIGINT and SIGHUP end the program the way its Exit does, in a wait or a message box too.
    tintwise::TerminationRequests termination;
    QObject::connect(&termination, &tintwise::TerminationRequests::requested, &app, &tintwise::App::QuitApplication);
    if (!app.StartApplication(instance))
        return 0;
    return application.exec();
}

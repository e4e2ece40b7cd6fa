#include "shell/app.h"
#include "shell/qteffects.h"
#include "shell/singleinstance.h"
#include "ui/common/controls.h"

#include <QApplication>
#include <QStyleFactory>

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
    // The same look on every desktop: the design's colours show on the buttons.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    tintwise::registerFontSubstitutes();
    QApplication::setFont(tintwise::designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    QApplication::setWindowIcon(tintwise::applicationIcon());
    // Only the quit routine ends the process, never the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    tintwise::QtEffects effects;
    tintwise::SingleInstance instance;
    tintwise::App app(effects);
    if (!app.StartApplication(instance))
        return 0;
    return application.exec();
}

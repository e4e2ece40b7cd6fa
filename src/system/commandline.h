#pragma once

#include <QString>
#include <QStringList>

namespace tintwise {

/// What the command line asks for, decided before any window or display exists.
struct CommandLineRequest
{
    /// False: print `output` and `error` and end with `exitCode` instead of starting the program.
    bool run = true;
    int exitCode = 0;
    QString output; ///< for standard output
    QString error;  ///< for standard error
};

/// Reads the arguments as given to `main` (the program's path first). --help and --version answer at once;
/// an unknown option or a stray argument is a usage error, exit status 2. Qt's own options (-platform,
/// -style, -display and the rest) pass through for the application object to take.
CommandLineRequest parseCommandLine(const QStringList &arguments);

} // namespace tintwise

#pragma once

#include <QFont>
#include <QString>

namespace tintwise {

/// Faces of the design; substitutes are registered at start-up where they are not installed.
QFont designFont(const QString &face, double points, bool bold, bool underline = false);
QFont verdana(double points, bool bold, bool underline = false);
void registerFontSubstitutes();

} // namespace tintwise

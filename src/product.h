#pragma once

#include <QString>

namespace tintwise {

/// Title of every message box.
inline const QString kApplicationTitle = QStringLiteral("Zorvel Tintwise");
/// Caption of every window.
inline const QString kWindowCaption = QStringLiteral("Zorvel Tintwise v1.25");

} // namespace tintwise

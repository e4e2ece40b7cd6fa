#pragma once

#include <QCursor>
#include <QImage>

namespace tintwise {

enum class Cursor
{
    Hand16,
    Hand2,
};
QCursor handCursor(Cursor which = Cursor::Hand16);
/// The cursor's picture: 32 x 32 pixels times `scale` (2 for screens of twice the density).
QImage handImage(Cursor which, int scale = 1);

} // namespace tintwise

#pragma once

#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

class QWidget;

namespace tintwise {

/// Fixed size, a close button, no minimize or maximize button.
inline Qt::WindowFlags fixedWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

QIcon applicationIcon();

/// Where a window of `size` goes in a screen's `available` area: in the middle, but never above or left of it,
/// so its title bar and menu bar stay on screen. A window larger than the area starts at its top-left corner.
QPoint placementOnScreen(QSize size, const QRect &available);

/// Places a fixed-size window on its screen's available area by placementOnScreen.
void centreOnScreen(QWidget *window);

} // namespace tintwise

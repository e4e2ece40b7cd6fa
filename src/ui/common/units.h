#pragma once

#include <QRect>
#include <QSize>

namespace tintwise {

/// Layout unit of the design: 15 twips to one logical pixel, rounded to the nearest pixel.
QRect twips(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

} // namespace tintwise

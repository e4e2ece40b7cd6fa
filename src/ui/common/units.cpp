#include "ui/common/units.h"

#include <cmath>

namespace tintwise {
namespace {

int px(int twipValue)
{
    return int(std::lround(twipValue / 15.0));
}

} // namespace

QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QSize twipsSize(int width, int height)
{
    return QSize(px(width), px(height));
}

} // namespace tintwise

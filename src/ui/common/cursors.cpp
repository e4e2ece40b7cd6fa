#include "ui/common/cursors.h"

#include <QGuiApplication>
#include <QPixmap>

namespace tintwise {
namespace {

// Hotspots of the two hand images: the tip of the index finger.
constexpr int kHand16HotX = 10;
constexpr int kHand16HotY = 0;
constexpr int kHand2HotX = 10;
constexpr int kHand2HotY = 1;

// The 16-colour hand, one letter a pixel; every colour is one of the sixteen of the classic palette.
constexpr int kCursorSize = 32;
constexpr const char *kHand16Art[kCursorSize] = {
    ".........KKKK...................", "........KWWWSK..................", "........KWWWSK..................",
    "........KWWWSK..................", "........KWWWSK..................", "........KWWWSK..................",
    "........KWWWSKKKK...............", "........KWWWSKWWSKKKK...........", "........KWWWSKWWSKWWSK..........",
    "........KWWWSKWWSKWWSKKK........", "........KWWWSKWWSKWWSKWSK.......", "...KKK..KWWWSKWWSKWWSKWSK.......",
    "..KWWSK.KWWWWGWWWGWWWGWSK.......", "..KWWWSKKWWWWWWWWWWWWWWSK.......", "...KWWWSWWWWWWWWWWWWWWWSK.......",
    "....KWWWSWWWWWWWWWWWWWWSK.......", ".....KWWWWWWWWWWWWWWWWWSK.......", "......KWWWWWWWWWWWWWWWWSK.......",
    ".......KWWWWWWWWWWWWWWWSK.......", "........KWWWWWWWWWWWWWWSK.......", "........KWWWWWWWWWWWWWSSK.......",
    ".........KWWWWWWWWWWWSSK........", ".........KKKKKKKKKKKKKKK........", ".........KAAAAAAAAAAAAAK........",
    ".........KBBBBBBBBBBBBNK........", ".........KBBBBBBBYYBBBNK........", ".........KBBBBBBBYOBBBNK........",
    ".........KBBBBBBBBBBBBNK........", ".........KNNNNNNNNNNNNNK........", ".........KKKKKKKKKKKKKKK........",
    "................................", "................................",
};

// The letters of the hand's picture and their colours; any other letter is a hole.
struct ArtColour
{
    char letter;
    QRgb colour;
};
constexpr ArtColour kHand16Colours[] = {
    {'K', 0xFF000000}, {'W', 0xFFFFFFFF}, {'S', 0xFFC0C0C0}, {'G', 0xFF808080}, {'A', 0xFF00FFFF},
    {'B', 0xFF0000FF}, {'N', 0xFF000080}, {'Y', 0xFFFFFF00}, {'O', 0xFF808000},
};

QRgb hand16Colour(char letter)
{
    for (const ArtColour &entry : kHand16Colours)
        if (entry.letter == letter)
            return entry.colour;
    return qRgba(0, 0, 0, 0);
}

} // namespace

QImage handImage(Cursor which, int scale)
{
    QImage image;
    if (which == Cursor::Hand2) {
        image = QImage(QStringLiteral(":/assets/hand2.png")).convertToFormat(QImage::Format_ARGB32);
    } else {
        image = QImage(kCursorSize, kCursorSize, QImage::Format_ARGB32);
        for (int y = 0; y < kCursorSize; ++y)
            for (int x = 0; x < kCursorSize; ++x)
                image.setPixel(x, y, hand16Colour(kHand16Art[y][x]));
    }
    // Larger screens get the same pixels, each drawn as a square of `scale` pixels: no blurred edges.
    if (scale > 1)
        image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

QCursor handCursor(Cursor which)
{
    const int scale = qGuiApp && qGuiApp->devicePixelRatio() > 1.5 ? 2 : 1;
    QPixmap pixmap = QPixmap::fromImage(handImage(which, scale));
    pixmap.setDevicePixelRatio(scale);
    // Hotspots sit on the tip of the index finger.
    if (which == Cursor::Hand2)
        return QCursor(pixmap, kHand2HotX, kHand2HotY);
    return QCursor(pixmap, kHand16HotX, kHand16HotY);
}

} // namespace tintwise

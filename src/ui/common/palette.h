#pragma once

#include <QColor>

namespace tintwise {

// The colours the windows share, named for what they paint.
inline constexpr QColor kWindowGrey(0x40, 0x40, 0x40); // reading windows, About box and their panels
inline constexpr QColor kBandPurple(0x80, 0x00, 0x80); // promotional banner and footer
inline constexpr QColor kButtonFace(0xC0, 0xC0, 0xC0); // face of the graphical buttons
inline constexpr QColor kWhite(0xFF, 0xFF, 0xFF);
inline constexpr QColor kBlack(0x00, 0x00, 0x00);
inline constexpr QColor kShadowGrey(0x80, 0x80, 0x80); // inner shadow of raised edges
inline constexpr QColor kWaitRed(0xFF, 0x00, 0x00);    // "Please Wait" and its marks

} // namespace tintwise

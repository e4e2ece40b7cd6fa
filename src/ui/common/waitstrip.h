#pragma once

#include <QRect>

#include <array>
#include <functional>

class QLabel;
class QWidget;

namespace tintwise {

class Effects;
class PictureBox;
class Shape;

/// "Please Wait" with its four marks, as both reading windows show it while they wait. Screen readers take
/// the strip for a notification named "Please Wait".
struct WaitStrip
{
    PictureBox *picMessage = nullptr;
    QLabel *pi = nullptr;
    std::array<Shape *, 4> marks{};
};
WaitStrip buildWaitStrip(QWidget *container, const QRect &geometry);

/**
 * The four-second "Please Wait" both reading windows play: hides the four marks, shows `panel` (then runs
 * `bringToFront`, when given) and the strip, which it announces to screen readers, shows one mark per one-second
 * pause, then hides the strip and the panel. The pauses run window events, so anything may happen meanwhile:
 * after every pause the routine returns false at once, touching no control, when the panel has been deleted or
 * `carryOn` says no. Returns true when the animation ran to its end. The strip's controls must lie inside `panel`.
 */
bool playWaitAnimation(Effects &effects,
                       QWidget *panel,
                       WaitStrip strip,
                       const std::function<void()> &bringToFront,
                       const std::function<bool()> &carryOn);

} // namespace tintwise

#include "ui/common/waitanimation.h"

#include "system/effects.h"
#include "ui/common/attempt.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace tintwise {

bool playWaitAnimation(Effects &effects,
                       QWidget *panel,
                       WaitStrip strip,
                       const std::function<void()> &bringToFront,
                       const std::function<bool()> &carryOn)
{
    // The strip lies inside the panel, so while the panel lives its controls do too.
    const QPointer<QWidget> alive(panel);
    const auto goOn = [&] { return alive && (!carryOn || carryOn()); };

    for (Shape *mark : strip.marks)
        attempt([&] { mark->hide(); });
    attempt([&] { panel->show(); });
    if (bringToFront)
        attempt(bringToFront);
    attempt([&] { strip.picMessage->show(); });
    // Screen readers say "Please Wait": on some desktops the strip's coming up as a notification is
    // announced, on others only an alert is.
    attempt([&] {
        QAccessibleEvent alert(strip.picMessage, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    });
    for (Shape *mark : strip.marks) {
        attempt([&] { mark->show(); });
        attempt([&] { effects.pause(1); });
        if (!goOn())
            return false;
    }
    attempt([&] { strip.picMessage->hide(); });
    attempt([&] { panel->hide(); });
    return true;
}

} // namespace tintwise

#include "ui/common/waitstrip.h"

#include "system/effects.h"
#include "ui/common/attempt.h"
#include "ui/common/fonts.h"
#include "ui/common/labels.h"
#include "ui/common/palette.h"
#include "ui/common/picturebox.h"
#include "ui/common/units.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace tintwise {

WaitStrip buildWaitStrip(QWidget *container, const QRect &geometry)
{
    WaitStrip strip;
    strip.picMessage = new PictureBox(container, QStringLiteral("picMessage"), geometry,
                                      container->palette().color(QPalette::Base), true);
    // Positions inside a bordered picture box count from inside its border.
    const QPoint inside(1, 1);
    strip.pi = makeLabel(strip.picMessage, QStringLiteral("pi"), twips(120, 120, 1545, 270).translated(inside),
                         QStringLiteral("Please Wait"), {verdana(12, true), kWaitRed});
    strip.picMessage->setAccessibleName(strip.pi->text());
    strip.picMessage->setAccessibleRole(QAccessible::Notification);
    const int lefts[4] = {1800, 2120, 2440, 2760};
    for (int i = 0; i < 4; ++i) {
        strip.marks[i] = new Shape(strip.picMessage, QStringLiteral("shp%1").arg(i + 1),
                                   twips(lefts[i], 240, 135, 135).translated(inside), kWaitRed);
        strip.marks[i]->hide();
    }
    // The design lists shp4 first, so it lies in front.
    for (auto *mark : strip.marks)
        mark->raise();
    strip.picMessage->hide();
    return strip;
}

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

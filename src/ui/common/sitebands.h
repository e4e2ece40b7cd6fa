#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace tintwise {

class Effects;
class Frame;
class LinkLabel;

/// Gives a reading window its name, caption, icon, fixed frame and font, and a dark grey client area of the
/// given size below its menu bar; returns the client area.
QWidget *setUpReadingWindow(QMainWindow *window, const QString &name, const QSize &clientSize);

/// Where the two reading windows place their promotional bands (in twips-converted pixels).
struct BandsDesign
{
    QRect banner;    // Frame2
    QRect advert;    // Label61, inside the banner
    QRect footer;    // Frame5
    QRect fullBrand; // lblFullBrand, inside the footer
    QRect coBrand;   // lblCobrand, inside the footer, in front of lblFullBrand
    QRect exit;      // cmdExit, inside the footer, in front of both offers
};

struct Bands
{
    Frame *banner = nullptr;
    Frame *footer = nullptr;
    LinkLabel *coBrand = nullptr;
    LinkLabel *fullBrand = nullptr;
    QPushButton *exit = nullptr;
};

/// The purple banner with the forum advert and the purple footer with the two offers sharing one place, each
/// opening its page, and the window's Exit button, which the caller connects. Build it after the panels so the
/// bands lie in front of them; the caller may add more buttons to the footer.
Bands buildPromotionBands(QWidget *client, Effects &effects, const BandsDesign &design);

/// Brings an offer in front of the other offer of its footer; the footer's buttons stay in front of both.
void bringOfferToFront(QWidget *offer);

/// Gives a reading window its menu bar in the window font, with an empty File menu, which it returns.
QMenu *addFileMenu(QMainWindow *window);

/// Adds "E&xit" to a File menu: it closes `window`.
void addExitCommand(QMenu *file, QWidget *window);

/// Captions and names that differ between the two windows' Help menus.
struct HelpMenuNames
{
    QString updateCaption;
    QString firstSeparator;
    QString secondSeparator;
};

/// Adds the Help menu, the "&Donate" command and the switched-off "Make Money &Online" command to a reading
/// window's menu bar, after its File menu.
void addSiteMenus(QMenuBar *bar, Effects &effects, const HelpMenuNames &names, const std::function<void()> &about);

} // namespace tintwise

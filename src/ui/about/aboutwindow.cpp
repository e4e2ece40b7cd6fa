#include "ui/about/aboutwindow.h"

#include "links/sitelinks.h"
#include "product.h"
#include "ui/common/buttons.h"
#include "ui/common/fonts.h"
#include "ui/common/keyrouter.h"
#include "ui/common/labels.h"
#include "ui/common/palette.h"
#include "ui/common/picturebox.h"
#include "ui/common/units.h"
#include "ui/common/windowsetup.h"

#include <QPushButton>

namespace tintwise {
namespace {

constexpr QColor kMagenta(0xFF, 0x00, 0xFF);

} // namespace

AboutWindow::AboutWindow(Effects &effects, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(6345, 3960));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowGrey);
    setPalette(pal);
    setAutoFillBackground(true);

    // Created back to front: later siblings lie in front.
    makeLabel(this, QStringLiteral("Label1"), twips(210, 840, 5985, 645),
              QStringLiteral("Colors are known to have great healing effects. Zorvel Tintwise aims to help people find "
                             "a solution to their problems based on their intuitive abilities."),
              {verdana(8.25, false), kWhite, Qt::AlignLeft, LabelSize::Wrap});
    makeLabel(this, QStringLiteral("Label2"), twips(960, 240, 2400, 240), kWindowCaption,
              {verdana(9.75, true), kMagenta});

    // The rule runs a few pixels past both edges, across the whole box.
    auto *rule = new QWidget(this);
    rule->setObjectName(QStringLiteral("Line2"));
    const QRect ends = twips(-60, 3360, 6360 + 60, 15);
    rule->setGeometry(ends.left(), ends.top(), ends.width(), 1);
    QPalette rulePal = rule->palette();
    rulePal.setColor(QPalette::Window, kMagenta);
    rule->setPalette(rulePal);
    rule->setAutoFillBackground(true);

    const TextLook link{verdana(8.25, true, true), kMagenta};
    opensPage(makeLinkLabel(this, QStringLiteral("lblHomePage"), twips(1560, 1800, 4650, 195),
                            QStringLiteral("Click here to visit www.arcanelsoftwares.com"), link),
              effects, PageKey::HomePage);
    opensPage(makeLinkLabel(this, QStringLiteral("Label5"), twips(3600, 3120, 2610, 195),
                            QStringLiteral("Click here for more details"), link),
              effects, PageKey::FullyBranded);
    makeLabel(this, QStringLiteral("Label6"), twips(240, 2280, 5775, 675),
              QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get "
                             "this software fully branded for your website."),
              {verdana(8.25, true), kWhite, Qt::AlignLeft, LabelSize::Wrap});

    m_cmdOK = makeButton(this, QStringLiteral("cmdOK"), twips(5040, 3480, 1260, 345), QStringLiteral("&OK"),
                         verdana(8.25, true), kButtonFace);
    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // The icon sits inside a one-pixel border, the box sized to it.
    auto *icon = new PictureBox(this, QStringLiteral("picIcon"), twips(150, 150, 510, 510),
                                palette().color(QPalette::Base), true);
    icon->setPixmap(applicationIcon().pixmap(32, 32));

    // OK is default and cancel button; the dialog's own Enter and Esc handling would bypass it.
    new KeyRouter(this, m_cmdOK, m_cmdOK);
    m_cmdOK->setFocus();
    centreOnScreen(this);
}

} // namespace tintwise

#include "ui/common/sitebands.h"

#include "links/sitelinks.h"
#include "ui/common/buttons.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/labels.h"
#include "ui/common/palette.h"
#include "ui/common/texts.h"
#include "ui/common/windowsetup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tintwise {
namespace {

QAction *addPageAction(QWidget *menu, Effects &effects, const QString &caption, const char *name, const char *pageKey)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, menu,
                     [&effects, pageKey] { OpenSitePage(effects, QLatin1String(pageKey)); });
    menu->addAction(action);
    return action;
}

} // namespace

QWidget *setUpReadingWindow(QMainWindow *window, const QString &name, const QSize &clientSize)
{
    window->setObjectName(name);
    window->setWindowTitle(kWindowCaption);
    window->setWindowIcon(applicationIcon());
    window->setWindowFlags(fixedWindowFlags());
    window->setFont(verdana(8.25, false));

    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientSize);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, kWindowGrey);
    client->setPalette(pal);
    client->setAutoFillBackground(true);
    window->setCentralWidget(client);
    return client;
}

Bands buildPromotionBands(QWidget *client, Effects &effects, const BandsDesign &design)
{
    Bands bands;
    // Footer first: the banner is listed first and lies in front.
    bands.footer = new Frame(client, QStringLiteral("Frame5"), design.footer, kBandPurple);
    const TextLook offer{verdana(8.25, true, true), kWhite, Qt::AlignLeft, LabelSize::Wrap};
    bands.fullBrand =
        makeLinkLabel(bands.footer, QStringLiteral("lblFullBrand"), design.fullBrand, kFullBrandOffer, offer);
    bands.coBrand =
        makeLinkLabel(bands.footer, QStringLiteral("lblCobrand"), design.coBrand, kCoBrandOffer, offer, Cursor::Hand2);
    for (LinkLabel *offer : {bands.fullBrand, bands.coBrand}) {
        offer->setAutoFillBackground(true); // opaque: only the front offer can be seen
        QPalette pal = offer->palette();
        pal.setColor(QPalette::Window, kBandPurple);
        offer->setPalette(pal);
    }
    opensPage(bands.coBrand, effects, PageKey::CoBrand);
    opensPage(bands.fullBrand, effects, PageKey::FullyBranded);
    bands.exit = makeButton(bands.footer, QStringLiteral("cmdExit"), design.exit, QStringLiteral("&Exit"),
                            verdana(8.25, true), kButtonFace);

    bands.banner = new Frame(client, QStringLiteral("Frame2"), design.banner, kBandPurple);
    auto *advert = makeLinkLabel(bands.banner, QStringLiteral("Label61"), design.advert, kForumAdvert,
                                 {verdana(9, true, true), kWhite, Qt::AlignHCenter, LabelSize::Wrap});
    opensPage(advert, effects, PageKey::HomePage);
    return bands;
}

void bringOfferToFront(QWidget *offer)
{
    offer->raise();
    // Labels lie behind the buttons of their container.
    for (QAbstractButton *button : offer->parentWidget()->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly))
        button->raise();
}

QMenu *addFileMenu(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setFont(QApplication::font());
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    return file;
}

void addExitCommand(QMenu *file, QWidget *window)
{
    QAction *exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    QObject::connect(exit, &QAction::triggered, window, &QWidget::close);
}

void addSiteMenus(QMenuBar *bar, Effects &effects, const HelpMenuNames &names, const std::function<void()> &about)
{
    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addPageAction(help, effects, QStringLiteral("&Online Help"), "mnuOnline", PageKey::HelpWebPage);
    addPageAction(help, effects, QStringLiteral("&Visit Us Online"), "mnuVisit", PageKey::HomePage);
    help->addSeparator()->setObjectName(names.firstSeparator);
    addPageAction(help, effects, names.updateCaption, "mnuUpdate", PageKey::DownloadWebPage);
    help->addSeparator()->setObjectName(names.secondSeparator);
    QAction *aboutAction = help->addAction(QStringLiteral("&About Software"));
    aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    QObject::connect(aboutAction, &QAction::triggered, help, about);

    addPageAction(bar, effects, QStringLiteral("&Donate"), "mnuDonate", PageKey::Donate);
    // Stored switched off; nothing switches it on.
    addPageAction(bar, effects, QStringLiteral("Make Money &Online"), "mnuMakeMoneyOnline", PageKey::FullyBranded)
        ->setEnabled(false);
}

} // namespace tintwise

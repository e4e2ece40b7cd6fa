#include "ui/main/mainwindow.h"

#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "shell/effects.h"
#include "ui/common/keyrouter.h"
#include "ui/common/texts.h"
#include "ui/common/waitanimation.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace tintwise {
namespace {

const QColor kPurple(0x80, 0x00, 0x80);
const QColor kDarkGrey(0x40, 0x40, 0x40);
const QColor kWhite(0xFF, 0xFF, 0xFF);

struct PatchPlace
{
    int left;
    int top;
};

// Clockwise from the bottom-left corner, in catalogue order.
constexpr PatchPlace kPatchPlaces[16] = {
    {4200, 4620}, {4200, 3705}, {4200, 2790}, {4200, 1875}, {4200, 960},  {5205, 960},  {6210, 960},  {7215, 960},
    {8220, 960},  {8220, 1875}, {8220, 2790}, {8220, 3705}, {8220, 4620}, {7215, 4620}, {6210, 4620}, {5205, 4620},
};

} // namespace

MainWindow::MainWindow(Effects &effects, QWidget *parent)
    : QMainWindow(parent)
    , m_effects(effects)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(applicationIcon());
    setWindowFlags(fixedWindowFlags());
    setFont(verdana(8.25, false));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsSize(9435, 7590));
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, kDarkGrey);
    client->setPalette(pal);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Created back to front: later siblings lie in front.
    buildRitualPanel(client);
    buildFooter(client);
    buildBanner(client);
    buildMenus();
    buildTabOrder();
    fillNumberChooser();

    new KeyRouter(this, m_cmdExit, m_cmdExit);
    // The first control in the tab order has the focus when the window comes up.
    m_cmdExit->setFocus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreOnScreen(this);
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setFont(QApplication::font());

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &MainWindow::close);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *online = help->addAction(QStringLiteral("&Online Help"));
    online->setObjectName(QStringLiteral("mnuOnline"));
    connect(online, &QAction::triggered, this, [this] { openPage(PageKey::HelpWebPage); });
    QAction *visit = help->addAction(QStringLiteral("&Visit Us Online"));
    visit->setObjectName(QStringLiteral("mnuVisit"));
    connect(visit, &QAction::triggered, this, [this] { openPage(PageKey::HomePage); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelp1"));
    QAction *update = help->addAction(QStringLiteral("Check for Software &Update"));
    update->setObjectName(QStringLiteral("mnuUpdate"));
    connect(update, &QAction::triggered, this, [this] { openPage(PageKey::DownloadWebPage); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelp2"));
    QAction *about = help->addAction(QStringLiteral("&About Software"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);

    QAction *donate = bar->addAction(QStringLiteral("&Donate"));
    donate->setObjectName(QStringLiteral("mnuDonate"));
    connect(donate, &QAction::triggered, this, [this] { openPage(PageKey::Donate); });

    // Stored switched off; nothing switches it on.
    m_mnuMakeMoneyOnline = bar->addAction(QStringLiteral("Make Money &Online"));
    m_mnuMakeMoneyOnline->setObjectName(QStringLiteral("mnuMakeMoneyOnline"));
    m_mnuMakeMoneyOnline->setEnabled(false);
    connect(m_mnuMakeMoneyOnline, &QAction::triggered, this, [this] { openPage(PageKey::FullyBranded); });
}

void MainWindow::buildBanner(QWidget *client)
{
    auto *banner = new Frame(client, QStringLiteral("Frame2"), twips(0, 0, 9420, 615), kPurple);
    auto *ad = makeLinkLabel(banner, QStringLiteral("Label61"), twips(157, 120, 9120, 585), kForumAdvert,
                             verdana(9, true, true), kWhite, Qt::AlignHCenter, LabelSize::Wrap);
    ad->setAccessibleDescription(linkDescription(QLatin1String(PageKey::HomePage)));
    connect(ad, &LinkLabel::clicked, this, [this] { openPage(PageKey::HomePage); });
}

void MainWindow::buildFooter(QWidget *client)
{
    auto *footer = new Frame(client, QStringLiteral("Frame5"), twips(0, 6720, 9420, 855), kPurple);
    const QFont offerFont = verdana(8.25, true, true);
    m_lblFullBrand = makeLinkLabel(footer, QStringLiteral("lblFullBrand"), twips(120, 160, 6225, 615), kFullBrandOffer,
                                   offerFont, kWhite, Qt::AlignLeft, LabelSize::Wrap);
    m_lblCobrand = makeLinkLabel(footer, QStringLiteral("lblCobrand"), twips(120, 165, 6225, 615), kCoBrandOffer,
                                 offerFont, kWhite, Qt::AlignLeft, LabelSize::Wrap, Cursor::Hand2);
    for (QLabel *offer : {static_cast<QLabel *>(m_lblFullBrand), static_cast<QLabel *>(m_lblCobrand)}) {
        offer->setAutoFillBackground(true); // opaque: only the front offer can be seen
        QPalette pal = offer->palette();
        pal.setColor(QPalette::Window, kPurple);
        offer->setPalette(pal);
    }
    m_lblCobrand->setAccessibleDescription(linkDescription(QLatin1String(PageKey::CoBrand)));
    m_lblFullBrand->setAccessibleDescription(linkDescription(QLatin1String(PageKey::FullyBranded)));
    connect(m_lblCobrand, &LinkLabel::clicked, this, [this] { openPage(PageKey::CoBrand); });
    connect(m_lblFullBrand, &LinkLabel::clicked, this, [this] { openPage(PageKey::FullyBranded); });

    m_cmdExit = makeButton(footer, QStringLiteral("cmdExit"), twips(8040, 240, 1260, 465), QStringLiteral("&Exit"),
                           verdana(8.25, true), QColor(0xC0, 0xC0, 0xC0));
    connect(m_cmdExit, &QPushButton::clicked, this, &MainWindow::close);
}

void MainWindow::buildRitualPanel(QWidget *client)
{
    m_fraOne = new Frame(client, QStringLiteral("fraOne"), twips(0, 600, 9420, 6135), kDarkGrey);
    const QFont bold = verdana(8.25, true);

    struct Line
    {
        const char *name;
        QRect geometry;
        const char *caption;
        QRgb colour;
        Qt::Alignment alignment;
        LabelSize size;
    };
    // Back to front, so that the first line of the design lies in front.
    const Line lines[] = {
        {"Label1", twips(4170, 540, 4005, 195), "Think a Number and Choose the Number ", 0xFFD700, Qt::AlignHCenter,
         LabelSize::Auto},
        {"lblMsgOne", twips(240, 1560, 3720, 435), "Close your eyes and take a deep breath.", 0x00FF00,
         Qt::AlignHCenter, LabelSize::Wrap},
        {"lblMsgTwo", twips(720, 2376, 2940, 195), "Think of a number from 1 - 24", 0xFFFF00, Qt::AlignLeft,
         LabelSize::Auto},
        {"lblMsgThree", twips(135, 2952, 3915, 435), "Think of the problem on hand else meditate", 0xFF00FF,
         Qt::AlignHCenter, LabelSize::Wrap},
        {"lblMsgFour", twips(960, 3768, 2265, 195), "Open your eyes slowly.", 0x00FFFF, Qt::AlignLeft, LabelSize::Auto},
        {"lblMsgFive", twips(120, 4344, 3930, 435),
         "Look at the color wheel and Click on the color that draws your attention.", 0xFFFFFF, Qt::AlignHCenter,
         LabelSize::Wrap},
        {"lblMsgSix", twips(240, 5160, 3705, 435), "Click on the Color to know what the color means", 0xFF0000,
         Qt::AlignHCenter, LabelSize::Wrap},
    };
    for (const Line &line : lines)
        makeLabel(m_fraOne, QLatin1String(line.name), line.geometry, QLatin1String(line.caption), bold,
                  QColor(line.colour), line.alignment, line.size);
    auto *welcome = makeLinkLabel(m_fraOne, QStringLiteral("Label2"), twips(240, 360, 3735, 975),
                                  QStringLiteral("Welcome to Zorvel Tintwise! Let the Tintwise help you solve all your "
                                                 "problems! Just follow the instructions and get your answers."),
                                  bold, QColor(0x00FFFF), Qt::AlignHCenter, LabelSize::Wrap);
    welcome->unsetCursor();
    welcome->setAccessibleDescription(linkDescription(QLatin1String(PageKey::FullyBranded)));
    connect(welcome, &LinkLabel::clicked, this, [this] { openPage(PageKey::FullyBranded); });

    // Names and colours only: the interpretation texts wait for the first reading.
    const auto &wheel = wheelColours();
    for (int i = 15; i >= 0; --i) {
        const PatchPlace place = kPatchPlaces[i];
        auto *patch = new PictureBox(m_fraOne, QStringLiteral("picColor%1").arg(i),
                                     twips(place.left, place.top, 1000, 915), QColor(wheel[i].colour), true);
        patch->setProperty("index", i);
        patch->setCursor(handCursor());
        patch->setFocusPolicy(Qt::StrongFocus);
        patch->setAccessibleName(wheel[i].name);
        patch->setAccessibleDescription(QStringLiteral("Colour patch: choose it to get your reading"));
        patch->setAccessibleRole(QAccessible::Button);
        connect(patch, &PictureBox::clicked, this, [this, i] { emit patchClicked(i); });
        m_picColor[i] = patch;
    }

    m_cmbNumber = new QComboBox(m_fraOne);
    m_cmbNumber->setObjectName(QStringLiteral("cmbNumber"));
    m_cmbNumber->setGeometry(twips(8280, 480, 855, 315));
    m_cmbNumber->setFont(bold);
    m_cmbNumber->setEditable(false);
    m_cmbNumber->setAccessibleName(QStringLiteral("Number"));
    m_cmbNumber->setAccessibleDescription(QStringLiteral("The number from 1 to 24 you thought of"));
    // Some screen readers name a drop-down list by the label it belongs to and read its choice as the name.
    if (auto *choose = m_fraOne->findChild<QLabel *>(QStringLiteral("Label1"), Qt::FindDirectChildrenOnly))
        choose->setBuddy(m_cmbNumber);

    m_fraWait = new Frame(m_fraOne, QStringLiteral("fraWait"), twips(4080, 360, 5175, 5175), kDarkGrey,
                          Frame::Border::Flat, QStringLiteral("Frame6"));
    m_fraWait->setCaptionFont(font());
    m_wait = buildWaitStrip(m_fraWait, twips(960, 2160, 3375, 495));
    m_fraWait->hide();
}

void MainWindow::buildTabOrder()
{
    QList<QWidget *> chain{m_cmdExit};
    for (int i = 5; i < 16; ++i)
        chain << m_picColor[i];
    for (int i = 0; i < 5; ++i)
        chain << m_picColor[i];
    chain << m_cmbNumber;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::fillNumberChooser()
{
    for (int n = 1; n <= 24; ++n)
        m_cmbNumber->addItem(QString::number(n));
    m_cmbNumber->setCurrentIndex(0);
}

void MainWindow::openPage(const char *pageKey)
{
    OpenSitePage(m_effects, QLatin1String(pageKey));
}

bool MainWindow::playWaitAnimation(const std::function<bool()> &carryOn)
{
    // The strip is passed by value: this window may be gone when the routine looks at it again.
    return tintwise::playWaitAnimation(m_effects, m_fraWait, m_wait, {}, carryOn);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}

} // namespace tintwise

#include "ui/main/mainwindow.h"

#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "system/effects.h"
#include "ui/common/cursors.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/keyrouter.h"
#include "ui/common/labels.h"
#include "ui/common/palette.h"
#include "ui/common/picturebox.h"
#include "ui/common/sitebands.h"
#include "ui/common/units.h"
#include "ui/common/windowsetup.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace tintwise {
namespace {

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
    QWidget *client = setUpReadingWindow(this, QStringLiteral("frmMain"), twipsSize(9435, 7590));

    // Created back to front: later siblings lie in front.
    buildRitualPanel(client);
    buildBands(client);
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
    QMenu *file = addFileMenu(this);
    addExitCommand(file, this);

    addSiteMenus(menuBar(), m_effects,
                 {QStringLiteral("Check for Software &Update"), QStringLiteral("mnuHelp1"), QStringLiteral("mnuHelp2")},
                 [this] { emit aboutRequested(); });
}

void MainWindow::buildBands(QWidget *client)
{
    const Bands bands =
        buildPromotionBands(client, m_effects,
                            {twips(0, 0, 9420, 615), twips(157, 120, 9120, 585), twips(0, 6720, 9420, 855),
                             twips(120, 160, 6225, 615), twips(120, 165, 6225, 615), twips(8040, 240, 1260, 465)});
    m_lblCobrand = bands.coBrand;
    m_lblFullBrand = bands.fullBrand;
    m_cmdExit = bands.exit;
    connect(m_cmdExit, &QPushButton::clicked, this, &MainWindow::close);
}

void MainWindow::buildRitualPanel(QWidget *client)
{
    m_fraOne = new Frame(client, QStringLiteral("fraOne"), twips(0, 600, 9420, 6135), kWindowGrey);
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
        makeLabel(m_fraOne, QLatin1String(line.name), line.geometry, QLatin1String(line.caption),
                  {bold, QColor(line.colour), line.alignment, line.size});
    auto *welcome = makeLinkLabel(m_fraOne, QStringLiteral("Label2"), twips(240, 360, 3735, 975),
                                  QStringLiteral("Welcome to Zorvel Tintwise! Let the Tintwise help you solve all your "
                                                 "problems! Just follow the instructions and get your answers."),
                                  {bold, QColor(0x00FFFF), Qt::AlignHCenter, LabelSize::Wrap});
    welcome->unsetCursor();
    opensPage(welcome, m_effects, PageKey::FullyBranded);

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

    m_fraWait = new Frame(m_fraOne, QStringLiteral("fraWait"), twips(4080, 360, 5175, 5175), kWindowGrey,
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

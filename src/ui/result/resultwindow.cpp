#include "ui/result/resultwindow.h"

#include "links/sitelinks.h"
#include "reading/catalogue.h"
#include "system/effects.h"
#include "ui/common/attempt.h"
#include "ui/common/buttons.h"
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
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace tintwise {
namespace {

constexpr QColor kHeadingYellow(0xFF, 0xFF, 0x80);

QFont headingFont()
{
    return verdana(8.25, true, true);
}

QFont nameFont()
{
    return verdana(9.75, true);
}

QLabel *makeHeading(QWidget *parent, const char *name, const QRect &geometry, const char *caption)
{
    return makeLabel(parent, QLatin1String(name), geometry, QLatin1String(caption), {headingFont(), kHeadingYellow});
}

QLabel *makeNameLabel(QWidget *parent, const char *name, const QRect &geometry)
{
    // The stored caption is a placeholder: the label's own name.
    return makeLabel(parent, QLatin1String(name), geometry, QLatin1String(name), {nameFont(), kWhite});
}

/// The five panels share one rectangle below the banner.
Frame *makePanel(QWidget *client, const QString &name)
{
    return new Frame(client, name, twips(0, 720, 9420, 4095), kWindowGrey);
}

/// Auto-size labels fit their new caption, as they did the stored one.
void setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    if (!label->wordWrap())
        label->adjustSize();
}

/// `heading` names the box for screen readers: the caption of the heading above it.
QPlainTextEdit *makeDescriptionBox(QWidget *parent, const char *name, const QRect &geometry, const char *heading)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(heading));
    box->setGeometry(geometry);
    // Locked: the user scrolls, selects and copies, but cannot edit.
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    // Window-text letters on window background, whatever the panel's colours.
    box->setPalette(QApplication::palette());
    return box;
}

} // namespace

struct ResultWindow::ColourPanelDesign
{
    struct Control
    {
        const char *name;
        QRect geometry;
        const char *caption; // null for the placeholders the draw replaces
    };
    const char *frame;
    Control heading;
    Control name;
    Control subHeading;
    Control text;
    Control button;
};

ResultWindow::ResultWindow(Effects &effects, QWidget *parent)
    : QMainWindow(parent)
    , m_effects(effects)
{
    QWidget *client = setUpReadingWindow(this, QStringLiteral("frmDisplay"), twipsSize(9420, 5640));

    // Created back to front: later siblings lie in front. The panels share one rectangle.
    buildShowAllPanel(client);
    // Heading, name label, sub-heading, text label and button of each colour panel.
    const ColourPanelDesign day{
        "fraCoosenColor",
        {"Label2", twips(480, 360, 2310, 195), "Your Color of the Day is"},
        {"lblChoosenColor", twips(3240, 360, 1770, 240), nullptr},
        {"Label3", twips(480, 720, 1650, 195), "About Your Color"},
        {"lblChoosenColorInterpretation", twips(480, 960, 8730, 2355), nullptr},
        {"cmdChoosenColor", twips(8000, 3480, 1260, 465), "Next"},
    };
    const ColourPanelDesign solution{
        "fraSolutionColor",
        {"Label13", twips(480, 360, 2100, 195), "Your Solution Color is"},
        {"lblSolutionColor", twips(3240, 360, 1710, 240), nullptr},
        {"Label12", twips(480, 840, 2505, 195), "About Your Solution Color"},
        {"lblSolutionColorInterpretation", twips(480, 1080, 8700, 2235), nullptr},
        {"cmdShowAll", twips(7920, 3480, 1260, 465), "&Show All"},
    };
    const ColourPanelDesign problem{
        "fraProblemColor",
        {"Label9", twips(480, 360, 2115, 195), "Your Problem Color is"},
        {"lblProblemColor", twips(3240, 360, 1725, 240), nullptr},
        {"Label8", twips(480, 840, 2520, 195), "About Your Problem Color"},
        {"lblProblemColorInterpretation", twips(480, 1080, 8715, 2235), nullptr},
        {"cmdProblemColor", twips(8000, 3480, 1260, 465), "Next"},
    };
    m_day = buildColourPanel(client, day);
    m_solution = buildColourPanel(client, solution);
    m_problem = buildColourPanel(client, problem);
    m_fraCoosenColor = m_day.frame;
    m_fraSolutionColor = m_solution.frame;
    m_fraProblemColor = m_problem.frame;
    // The two "Next" buttons share a caption; what they bring up tells them apart.
    m_day.button->setAccessibleDescription(QStringLiteral("Shows your problem colour"));
    m_problem.button->setAccessibleDescription(QStringLiteral("Shows your solution colour"));
    m_solution.button->setAccessibleDescription(QStringLiteral("Shows all three colours together"));
    buildWaitPanel(client);
    buildBands(client);
    buildMenus();
    buildTabOrder();

    // The reveals run from the event loop rather than inside the click, so that no handler of a window
    // closed and deleted during their waits is left on the stack.
    connect(
        m_day.button, &QPushButton::clicked, this, [this] { reveal(m_day.button, m_problem); }, Qt::QueuedConnection);
    connect(
        m_problem.button, &QPushButton::clicked, this, [this] { reveal(m_problem.button, m_solution); },
        Qt::QueuedConnection);
    connect(m_solution.button, &QPushButton::clicked, this, &ResultWindow::cmdShowAll_Click);

    new KeyRouter(this, m_solution.button, m_solution.button);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreOnScreen(this);
}

void ResultWindow::buildMenus()
{
    QMenu *file = addFileMenu(this);
    // Stored switched off, with no command of its own.
    QAction *showAll = file->addAction(QStringLiteral("&Show All"));
    showAll->setObjectName(QStringLiteral("mnuShowAll"));
    showAll->setEnabled(false);
    QAction *back = file->addAction(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("mnuFileBack"));
    connect(back, &QAction::triggered, this, &ResultWindow::backRequested);
    addExitCommand(file, this);

    addSiteMenus(
        menuBar(), m_effects,
        {QStringLiteral("&Check for Software Update"), QStringLiteral("mnuFileSep1"), QStringLiteral("mnuFileSep2")},
        [this] { emit aboutRequested(); });
}

void ResultWindow::buildBands(QWidget *client)
{
    const Bands bands =
        buildPromotionBands(client, m_effects,
                            {twips(0, 0, 9420, 735), twips(150, 160, 9120, 585), twips(0, 4800, 9420, 855),
                             twips(120, 160, 5985, 615), twips(120, 160, 5985, 615), twips(7200, 240, 1020, 465)});
    m_frame5 = bands.footer;
    m_cmdExit = bands.exit;
    m_cmdBack = makeButton(m_frame5, QStringLiteral("cmdBack"), twips(8280, 240, 1020, 465), QStringLiteral("&Back"),
                           verdana(8.25, true), kButtonFace);
    m_cmdBack->setAccessibleDescription(QStringLiteral("Back to the colour wheel for another reading"));
    connect(m_cmdBack, &QPushButton::clicked, this, &ResultWindow::backRequested);
    connect(m_cmdExit, &QPushButton::clicked, this, &ResultWindow::close);
}

ResultWindow::ColourPanel ResultWindow::buildColourPanel(QWidget *client, const ColourPanelDesign &design)
{
    ColourPanel panel;
    panel.frame = makePanel(client, QLatin1String(design.frame));
    panel.text =
        makeLabel(panel.frame, QLatin1String(design.text.name), design.text.geometry, QLatin1String(design.text.name),
                  {verdana(8.25, true), kWhite, Qt::AlignLeft, LabelSize::Wrap});
    makeHeading(panel.frame, design.subHeading.name, design.subHeading.geometry, design.subHeading.caption);
    panel.name = makeNameLabel(panel.frame, design.name.name, design.name.geometry);
    makeHeading(panel.frame, design.heading.name, design.heading.geometry, design.heading.caption);
    panel.button = makeButton(panel.frame, QLatin1String(design.button.name), design.button.geometry,
                              QLatin1String(design.button.caption), verdana(8.25, true), kButtonFace);
    return panel;
}

void ResultWindow::buildShowAllPanel(QWidget *client)
{
    m_frmShowAll = makePanel(client, QStringLiteral("frmShowAll"));
    // Back to front, so that the first entry of the design lies in front.
    auto *dayHeading = makeLinkLabel(m_frmShowAll, QStringLiteral("Label1"), twips(240, 240, 2310, 195),
                                     QStringLiteral("Your Color of the Day is"), {headingFont(), kHeadingYellow});
    dayHeading->unsetCursor();
    opensPage(dayHeading, m_effects, PageKey::FullyBranded);
    m_lblShowAllDayColor = makeNameLabel(m_frmShowAll, "lblShowAllDayColor", twips(3000, 240, 1260, 240));
    makeHeading(m_frmShowAll, "Label5", twips(240, 600, 1650, 195), "About Your Color");
    m_lblShowAllSolutionColor = makeNameLabel(m_frmShowAll, "lblShowAllSolutionColor", twips(2640, 2160, 1710, 240));
    makeHeading(m_frmShowAll, "Label7", twips(240, 2520, 2505, 195), "About Your Solution Color");
    makeHeading(m_frmShowAll, "Label10", twips(240, 2160, 2100, 195), "Your Solution Color is");
    m_lblShowAllProblemColor = makeNameLabel(m_frmShowAll, "lblShowAllProblemColor", twips(7320, 240, 1725, 240));
    makeHeading(m_frmShowAll, "Label14", twips(4800, 600, 2520, 195), "About Your Problem Color");
    makeHeading(m_frmShowAll, "Label15", twips(4800, 240, 2115, 195), "Your Problem Color is");
    m_txtShowAllDayColorDesc =
        makeDescriptionBox(m_frmShowAll, "txtShowAllDayColorDesc", twips(240, 840, 4335, 1095), "About Your Color");
    m_txtShowAllSolutionColorDesc = makeDescriptionBox(m_frmShowAll, "txtShowAllSolutionColorDesc",
                                                       twips(240, 2760, 8895, 1095), "About Your Solution Color");
    m_txtShowAllProblemColorDesc = makeDescriptionBox(m_frmShowAll, "txtShowAllProblemColorDesc",
                                                      twips(4800, 840, 4335, 1095), "About Your Problem Color");

    // The texts are the maker's: every change and every mouse event over a box empties the clipboard.
    int i = 0;
    for (QPlainTextEdit *box :
         {m_txtShowAllDayColorDesc, m_txtShowAllSolutionColorDesc, m_txtShowAllProblemColorDesc}) {
        connect(box, &QPlainTextEdit::textChanged, this, [this] { m_effects.clearClipboard(); });
        // Tracking on, so that moves without a pressed button count too.
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(this);
        m_descriptionViewports[i++] = box->viewport();
    }
    m_frmShowAll->hide();
}

void ResultWindow::buildWaitPanel(QWidget *client)
{
    m_fraMsg = makePanel(client, QStringLiteral("fraMsg"));
    m_wait = buildWaitStrip(m_fraMsg, twips(3120, 1800, 3375, 495));
    m_fraMsg->hide();
}

void ResultWindow::buildTabOrder()
{
    const QList<QWidget *> chain{m_cmdBack,
                                 m_cmdExit,
                                 m_day.button,
                                 m_problem.button,
                                 m_txtShowAllDayColorDesc,
                                 m_txtShowAllSolutionColorDesc,
                                 m_txtShowAllProblemColorDesc,
                                 m_solution.button};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    // The focus starts on the first control of the tab order, not on the first one created.
    m_cmdBack->setFocus();
}

void ResultWindow::fillReading(const SelectionRecord &record)
{
    setCaption(m_day.name, record.DayColorName);
    setCaption(m_problem.name, record.ProblemColorName);
    setCaption(m_solution.name, record.SolutionColorName);
    setCaption(m_day.text, record.DayColorText);
    setCaption(m_problem.text, record.ProblemColorText);
    setCaption(m_solution.text, record.SolutionColorText);
    setCaption(m_lblShowAllDayColor, record.DayColorName);
    m_txtShowAllDayColorDesc->setPlainText(record.DayColorText);
    setCaption(m_lblShowAllSolutionColor, record.SolutionColorName);
    m_txtShowAllSolutionColorDesc->setPlainText(record.SolutionColorText);
    setCaption(m_lblShowAllProblemColor, record.ProblemColorName);
    m_txtShowAllProblemColorDesc->setPlainText(record.ProblemColorText);
}

void ResultWindow::openOnDayPanel()
{
    attempt([&] { bringToFront(m_fraCoosenColor); });
    attempt([&] { m_frmShowAll->hide(); });
}

void ResultWindow::cancelReveal()
{
    ++m_readingSerial;
    attempt([&] { m_wait.picMessage->hide(); });
    attempt([&] { m_fraMsg->hide(); });
}

QWidget *ResultWindow::frontPanel() const
{
    const std::array<QWidget *, 5> panels{m_fraMsg, m_fraProblemColor, m_fraSolutionColor, m_fraCoosenColor,
                                          m_frmShowAll};
    const QObjectList &stacking = centralWidget()->children();
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(*it);
        if (widget && !widget->isHidden() && std::find(panels.begin(), panels.end(), widget) != panels.end())
            return widget;
    }
    return nullptr;
}

void ResultWindow::bringToFront(QWidget *panel)
{
    // In front of the other panels, still behind the banner and the footer that overlap their edges.
    panel->stackUnder(m_frame5);
}

void ResultWindow::reveal(QPushButton *from, const ColourPanel &target)
{
    // Keys can still press a button that the wait panel or a later panel covers; only the panel in front
    // moves on, so one press gives one reveal. A press still queued when the window closed, or when a modal
    // box came up, is dropped: a closed window is not touched again, and none takes input under a modal box.
    if (m_unloaded || QApplication::activeModalWidget() || frontPanel() != from->parentWidget())
        return;
    const QPointer<ResultWindow> alive(this);
    const int serial = m_readingSerial;
    const auto carryOn = [alive, serial] { return alive && !alive->m_unloaded && alive->m_readingSerial == serial; };
    Frame *const targetFrame = target.frame;
    QPushButton *const targetButton = target.button;
    if (!playWaitAnimation(
            m_effects, m_fraMsg, m_wait, [this] { bringToFront(m_fraMsg); }, carryOn))
        return; // closed, deleted or refilled meanwhile: nothing of this window is touched
    attempt([&] { bringToFront(targetFrame); });
    // A keyboard user goes on from the button in front rather than from the one now covered.
    attempt([&] {
        if (focusWidget() == from)
            targetButton->setFocus();
    });
}

void ResultWindow::cmdShowAll_Click()
{
    attempt([&] { bringToFront(m_frmShowAll); });
    attempt([&] { m_frmShowAll->show(); });
}

void ResultWindow::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    emit unloading();
    event->accept();
}

bool ResultWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool overDescription = std::find(m_descriptionViewports.begin(), m_descriptionViewports.end(), watched) !=
                                 m_descriptionViewports.end();
    if (overDescription) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:   // MouseDown
        case QEvent::MouseMove:          // MouseMove
        case QEvent::MouseButtonRelease: // MouseUp and Click: one emptying serves both
            m_effects.clearClipboard();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tintwise

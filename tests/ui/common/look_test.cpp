#include "links/referral.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/classicstyle.h"
#include "ui/common/cursors.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/picturebox.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <set>

using namespace tintwise;

namespace {

enum class Screen
{
    Main,
    DayPanel,
    ProblemPanel,
    SolutionPanel,
    ShowAllPanel,
    About,
    Exit,
};

enum class Kind
{
    Button,        // raised
    FramedButton,  // raised inside the one-pixel frame of the button Enter presses
    PressedButton, // held down: both rings turned over
    PressedFramed, // held down inside the frame
    CheckedBox,    // the graphical check box while set: sunken
    TextBox,
};

/// How a control's place is held against the design's box.
enum class Box
{
    Exact,                // the whole rectangle
    AutoSize,             // fits its text: only where it starts
    InsideBorder,         // inside a bordered picture box, whose inside starts one pixel in
    AutoSizeInsideBorder, // both
};

const QColor kGraphicalFace(0xC0, 0xC0, 0xC0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kBlack(0x00, 0x00, 0x00);

/// Expected colours of the outer and the inner ring of a control, side by side.
struct Rings
{
    QColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

/// The first pixel of one side of a ring (corners left out) that is not `expected`, as text.
QString sideMismatch(
    const QImage &image, const QRect &ring, bool horizontal, bool first, const QColor &expected, int skipEnd = 0)
{
    const int from = horizontal ? ring.left() + 1 : ring.top() + 1;
    const int to = (horizontal ? ring.right() - 1 : ring.bottom() - 1) - skipEnd;
    for (int i = from; i <= to; ++i) {
        const QPoint p =
            horizontal ? QPoint(i, first ? ring.top() : ring.bottom()) : QPoint(first ? ring.left() : ring.right(), i);
        if (image.pixelColor(p) != expected)
            return QStringLiteral("(%1,%2) is %3, not %4")
                .arg(p.x() - ring.left())
                .arg(p.y() - ring.top())
                .arg(image.pixelColor(p).name(), expected.name());
    }
    return {};
}

QString ringMismatch(
    const QImage &image, const QRect &ring, const QColor &topLeft, const QColor &bottomRight, int skipRight = 0)
{
    QString found = sideMismatch(image, ring, true, true, topLeft, skipRight);
    if (found.isEmpty())
        found = sideMismatch(image, ring, false, true, topLeft);
    if (found.isEmpty())
        found = sideMismatch(image, ring, true, false, bottomRight, skipRight);
    if (found.isEmpty() && skipRight == 0)
        found = sideMismatch(image, ring, false, false, bottomRight);
    return found;
}

/// Whether the one-pixel dotted rectangle lies `inset` pixels inside `image`: dot, gap, dot along its top.
bool showsDottedRectangle(const QImage &image, int inset, const QColor &background)
{
    const QColor a = image.pixelColor(inset + 2, inset), b = image.pixelColor(inset + 3, inset);
    const QColor c = image.pixelColor(inset, inset + 2), d = image.pixelColor(inset, inset + 3);
    return a != background && b == background && c != background && d == background;
}

bool showsNoRectangle(const QImage &image, int inset, const QColor &background)
{
    const QRect ring = image.rect().adjusted(inset, inset, -inset, -inset);
    return ringMismatch(image, ring, background, background).isEmpty();
}

/// The colour a control shows as the design states it: letters of labels and buttons and of text boxes, the
/// fill of picture boxes and marks, else the background of frames and rules.
QColor shownColour(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->palette().color(QPalette::WindowText);
    if (qobject_cast<QAbstractButton *>(widget))
        return widget->palette().color(QPalette::ButtonText);
    if (auto *box = qobject_cast<PictureBox *>(widget))
        return box->background();
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget))
        return widget->palette().color(QPalette::Text);
    if (qobject_cast<Shape *>(widget)) // hidden until the draw shows it: painted aside
        return widget->grab().toImage().pixelColor(widget->width() / 2, widget->height() / 2);
    return widget->palette().color(QPalette::Window);
}

/// Every literal taken as RGB, black's 0x000000 too (alone it would also pass for a null name).
QColor rgb(QRgb value)
{
    return QColor(value);
}

/// The opaque colours of an image; a half-transparent pixel counts as one more colour.
std::set<QRgb> coloursOf(const QImage &image)
{
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 255)
                seen.insert(p & 0xFFFFFF);
            else if (qAlpha(p) != 0)
                seen.insert(0x1000000);
        }
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(Screen)
Q_DECLARE_METATYPE(Cursor)
Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Box)

class LookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As the program sets itself up.
        QApplication::setStyle(new ClassicStyle);
        registerFontSubstitutes();
        QApplication::setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    }
    void cleanup() { m_window.reset(); }

    void boxesAndColoursAsDesigned_data()
    {
        QTest::addColumn<Screen>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twipBox"); // left, top, width, height in twips, in the control's container
        QTest::addColumn<Box>("box");
        QTest::addColumn<QColor>("colour"); // invalid: the design names none

        const auto row = [](Screen screen, const char *control, QRect twipBox, QColor colour = {},
                            Box box = Box::Exact) {
            const char *window = screen == Screen::Main    ? "main"
                                 : screen == Screen::About ? "about"
                                 : screen == Screen::Exit  ? "exit"
                                                           : "result";
            QTest::addRow("%s %s", window, control)
                << screen << QString::fromLatin1(control) << twipBox << box << colour;
        };
        const QColor purple = rgb(0x800080), darkGrey = rgb(0x404040), white = rgb(0xFFFFFF);
        const QColor heading = rgb(0xFFFF80), magenta = rgb(0xFF00FF), navy = rgb(0x000080);
        // The desktop's colours: the background and letters of text boxes, and the button text.
        const QColor windowBackground = QApplication::palette().color(QPalette::Base);
        const QColor windowText = QApplication::palette().color(QPalette::Text);
        const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);

        // The main window; the bands and the panel sit in the client area below the menu bar.
        const Screen main = Screen::Main;
        row(main, "Frame2", {0, 0, 9420, 615}, purple);
        row(main, "Frame5", {0, 6720, 9420, 855}, purple);
        row(main, "fraOne", {0, 600, 9420, 6135}, darkGrey);
        row(main, "Label61", {157, 120, 9120, 585}, white);
        row(main, "cmdExit", {8040, 240, 1260, 465});
        row(main, "lblCobrand", {120, 165, 6225, 615}, white);
        row(main, "lblFullBrand", {120, 160, 6225, 615}, white);
        row(main, "fraWait", {4080, 360, 5175, 5175}, darkGrey);
        row(main, "cmbNumber", {8280, 480, 855, 315});
        row(main, "picColor0", {4200, 4620, 1000, 915}, rgb(0xFF0000));
        row(main, "picColor1", {4200, 3705, 1000, 915}, rgb(0xFF80FF));
        row(main, "picColor2", {4200, 2790, 1000, 915}, rgb(0xA020F0));
        row(main, "picColor3", {4200, 1875, 1000, 915}, rgb(0xADD8E6));
        row(main, "picColor4", {4200, 960, 1000, 915}, rgb(0x000080));
        row(main, "picColor5", {5205, 960, 1000, 915}, rgb(0x00F5FF));
        row(main, "picColor6", {6210, 960, 1000, 915}, rgb(0x00FF00));
        row(main, "picColor7", {7215, 960, 1000, 915}, rgb(0x556B2F));
        row(main, "picColor8", {8220, 960, 1000, 915}, rgb(0xFF8000));
        row(main, "picColor9", {8220, 1875, 1000, 915}, rgb(0xFFFF00));
        row(main, "picColor10", {8220, 2790, 1000, 915}, rgb(0xFFD700));
        row(main, "picColor11", {8220, 3705, 1000, 915}, rgb(0xFFDAB9));
        row(main, "picColor12", {8220, 4620, 1000, 915}, rgb(0x696969));
        row(main, "picColor13", {7215, 4620, 1000, 915}, rgb(0xA52A2A));
        row(main, "picColor14", {6210, 4620, 1000, 915}, rgb(0xFFFFFF));
        row(main, "picColor15", {5205, 4620, 1000, 915}, rgb(0x000000));
        row(main, "Label2", {240, 360, 3735, 975}, rgb(0x00FFFF));
        row(main, "lblMsgSix", {240, 5160, 3705, 435}, rgb(0xFF0000));
        row(main, "lblMsgFive", {120, 4344, 3930, 435}, rgb(0xFFFFFF));
        row(main, "lblMsgFour", {960, 3768, 2265, 195}, rgb(0x00FFFF), Box::AutoSize);
        row(main, "lblMsgThree", {135, 2952, 3915, 435}, rgb(0xFF00FF));
        row(main, "lblMsgTwo", {720, 2376, 2940, 195}, rgb(0xFFFF00), Box::AutoSize);
        row(main, "lblMsgOne", {240, 1560, 3720, 435}, rgb(0x00FF00));
        row(main, "Label1", {4170, 540, 4005, 195}, rgb(0xFFD700), Box::AutoSize);
        row(main, "picMessage", {960, 2160, 3375, 495}, windowBackground);

        // The result window: the same bands, five panels in one rectangle.
        const Screen result = Screen::DayPanel;
        row(result, "Frame2", {0, 0, 9420, 735}, purple);
        row(result, "Frame5", {0, 4800, 9420, 855}, purple);
        row(result, "fraMsg", {0, 720, 9420, 4095}, darkGrey);
        row(result, "fraProblemColor", {0, 720, 9420, 4095}, darkGrey);
        row(result, "fraSolutionColor", {0, 720, 9420, 4095}, darkGrey);
        row(result, "fraCoosenColor", {0, 720, 9420, 4095}, darkGrey);
        row(result, "frmShowAll", {0, 720, 9420, 4095}, darkGrey);
        row(result, "Label61", {150, 160, 9120, 585}, white);
        row(result, "cmdExit", {7200, 240, 1020, 465});
        row(result, "cmdBack", {8280, 240, 1020, 465});
        row(result, "lblCobrand", {120, 160, 5985, 615}, white);
        row(result, "lblFullBrand", {120, 160, 5985, 615}, white);
        row(result, "picMessage", {3120, 1800, 3375, 495}, windowBackground);
        row(result, "Label2", {480, 360, 2310, 195}, heading, Box::AutoSize);
        row(result, "lblChoosenColor", {3240, 360, 1770, 240}, white, Box::AutoSize);
        row(result, "Label3", {480, 720, 1650, 195}, heading, Box::AutoSize);
        row(result, "lblChoosenColorInterpretation", {480, 960, 8730, 2355}, white);
        row(result, "cmdChoosenColor", {8000, 3480, 1260, 465});
        row(result, "Label9", {480, 360, 2115, 195}, heading, Box::AutoSize);
        row(result, "lblProblemColor", {3240, 360, 1725, 240}, white, Box::AutoSize);
        row(result, "Label8", {480, 840, 2520, 195}, heading, Box::AutoSize);
        row(result, "lblProblemColorInterpretation", {480, 1080, 8715, 2235}, white);
        row(result, "cmdProblemColor", {8000, 3480, 1260, 465});
        row(result, "Label13", {480, 360, 2100, 195}, heading, Box::AutoSize);
        row(result, "lblSolutionColor", {3240, 360, 1710, 240}, white, Box::AutoSize);
        row(result, "Label12", {480, 840, 2505, 195}, heading, Box::AutoSize);
        row(result, "lblSolutionColorInterpretation", {480, 1080, 8700, 2235}, white);
        row(result, "cmdShowAll", {7920, 3480, 1260, 465});
        row(result, "txtShowAllProblemColorDesc", {4800, 840, 4335, 1095}, windowText);
        row(result, "txtShowAllSolutionColorDesc", {240, 2760, 8895, 1095}, windowText);
        row(result, "txtShowAllDayColorDesc", {240, 840, 4335, 1095}, windowText);
        row(result, "Label15", {4800, 240, 2115, 195}, heading, Box::AutoSize);
        row(result, "Label14", {4800, 600, 2520, 195}, heading, Box::AutoSize);
        row(result, "lblShowAllProblemColor", {7320, 240, 1725, 240}, white, Box::AutoSize);
        row(result, "Label10", {240, 2160, 2100, 195}, heading, Box::AutoSize);
        row(result, "Label7", {240, 2520, 2505, 195}, heading, Box::AutoSize);
        row(result, "lblShowAllSolutionColor", {2640, 2160, 1710, 240}, white, Box::AutoSize);
        row(result, "Label5", {240, 600, 1650, 195}, heading, Box::AutoSize);
        row(result, "lblShowAllDayColor", {3000, 240, 1260, 240}, white, Box::AutoSize);
        row(result, "Label1", {240, 240, 2310, 195}, heading, Box::AutoSize);

        // The wait strips of both windows hold the same marks and text.
        for (Screen screen : {main, result}) {
            row(screen, "shp4", {2760, 240, 135, 135}, rgb(0xFF0000), Box::InsideBorder);
            row(screen, "shp3", {2440, 240, 135, 135}, rgb(0xFF0000), Box::InsideBorder);
            row(screen, "shp2", {2120, 240, 135, 135}, rgb(0xFF0000), Box::InsideBorder);
            row(screen, "shp1", {1800, 240, 135, 135}, rgb(0xFF0000), Box::InsideBorder);
            row(screen, "pi", {120, 120, 1545, 270}, rgb(0xFF0000), Box::AutoSizeInsideBorder);
        }

        const Screen about = Screen::About;
        row(about, "picIcon", {150, 150, 510, 510}, windowBackground);
        row(about, "cmdOK", {5040, 3480, 1260, 345});
        row(about, "Label6", {240, 2280, 5775, 675}, white);
        row(about, "Label5", {3600, 3120, 2610, 195}, magenta, Box::AutoSize);
        row(about, "lblHomePage", {1560, 1800, 4650, 195}, magenta, Box::AutoSize);
        // A line from (-60, 3360) to (6360, 3360), one pixel thick.
        row(about, "Line2", {-60, 3360, 6420, 15}, magenta);
        row(about, "Label2", {960, 240, 2400, 240}, magenta, Box::AutoSize);
        row(about, "Label1", {210, 840, 5985, 645}, white);

        const Screen exit = Screen::Exit;
        row(exit, "Frame6", {7320, 120, 3735, 4575}, navy);
        row(exit, "Frame2", {120, 3240, 7065, 1455}, navy);
        row(exit, "cmdClose", {6000, 2760, 1245, 375});
        row(exit, "Check1", {30, 2040, 7185, 555}, rgb(0x0000C0));
        row(exit, "picNagscreen2Icon", {360, 120, 540, 540}, windowBackground);
        row(exit, "Label2", {120, 840, 6975, 1095}, buttonText);
        row(exit, "lblNagScreen2Caption", {1080, 240, 720, 435}, buttonText, Box::AutoSize);
        row(exit, "lblGoToHome", {75, 4250, 3585, 210}, rgb(0xFFFF00), Box::AutoSize);
        row(exit, "Label3", {120, 360, 3495, 3855}, white);
        row(exit, "txtMessage", {4800, 3600, 1815, 495}, windowText);
        row(exit, "txtFriendName", {85, 720, 3375, 285}, windowText);
        row(exit, "txtFriendEmail", {3600, 720, 3375, 285}, windowText);
        row(exit, "txtEmail", {3600, 360, 3375, 285}, windowText);
        row(exit, "cmdSubmit", {1920, 1080, 3375, 285});
        row(exit, "txtName", {85, 360, 3375, 285}, windowText);
    }

    void boxesAndColoursAsDesigned()
    {
        QFETCH(Screen, screen);
        QFETCH(QString, control);
        QFETCH(QRect, twipBox);
        QFETCH(Box, box);
        QFETCH(QColor, colour);
        QWidget *window = open(screen);
        // Controls of panels behind the front one, or shown only while waiting, are there all the same.
        auto *widget = window->findChild<QWidget *>(control);
        QVERIFY(widget);

        // 15 twips to the pixel, to the nearest pixel.
        const auto pixels = [](int twips) { return qRound(twips / 15.0); };
        QRect expected(pixels(twipBox.left()), pixels(twipBox.top()), pixels(twipBox.width()),
                       pixels(twipBox.height()));
        if (box == Box::InsideBorder || box == Box::AutoSizeInsideBorder)
            expected.translate(1, 1);
        if (box == Box::AutoSize || box == Box::AutoSizeInsideBorder)
            QCOMPARE(widget->pos(), expected.topLeft());
        else
            QCOMPARE(widget->geometry(), expected);

        if (colour.isValid())
            QCOMPARE(shownColour(widget).name(QColor::HexArgb), colour.name(QColor::HexArgb));
    }

    void edgesAndFacesAsDesigned_data()
    {
        QTest::addColumn<Screen>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QColor>("face"); // invalid: the desktop's button face

        const auto row = [](const char *tag, Screen screen, const char *control, Kind kind, QColor face = {}) {
            QTest::newRow(tag) << screen << QString::fromLatin1(control) << kind << face;
        };
        // The focus starts on the default or first button, which Enter presses: it carries the frame.
        row("main cmdExit", Screen::Main, "cmdExit", Kind::FramedButton, kGraphicalFace);
        row("main cmdExit held down", Screen::Main, "cmdExit", Kind::PressedFramed, kGraphicalFace);
        row("result cmdBack", Screen::DayPanel, "cmdBack", Kind::FramedButton, kGraphicalFace);
        row("result cmdExit", Screen::DayPanel, "cmdExit", Kind::Button, kGraphicalFace);
        row("result cmdChoosenColor", Screen::DayPanel, "cmdChoosenColor", Kind::Button, kGraphicalFace);
        row("result cmdProblemColor", Screen::ProblemPanel, "cmdProblemColor", Kind::Button, kGraphicalFace);
        row("result cmdShowAll", Screen::SolutionPanel, "cmdShowAll", Kind::Button, kGraphicalFace);
        row("result cmdShowAll held down", Screen::SolutionPanel, "cmdShowAll", Kind::PressedButton, kGraphicalFace);
        row("result txtShowAllDayColorDesc", Screen::ShowAllPanel, "txtShowAllDayColorDesc", Kind::TextBox);
        row("result txtShowAllProblemColorDesc", Screen::ShowAllPanel, "txtShowAllProblemColorDesc", Kind::TextBox);
        row("result txtShowAllSolutionColorDesc", Screen::ShowAllPanel, "txtShowAllSolutionColorDesc", Kind::TextBox);
        row("about cmdOK", Screen::About, "cmdOK", Kind::FramedButton, kGraphicalFace);
        row("exit cmdClose", Screen::Exit, "cmdClose", Kind::FramedButton);
        row("exit cmdSubmit", Screen::Exit, "cmdSubmit", Kind::Button);
        row("exit Check1", Screen::Exit, "Check1", Kind::Button);
        row("exit Check1 set", Screen::Exit, "Check1", Kind::CheckedBox);
        row("exit txtName", Screen::Exit, "txtName", Kind::TextBox);
        row("exit txtEmail", Screen::Exit, "txtEmail", Kind::TextBox);
        row("exit txtFriendName", Screen::Exit, "txtFriendName", Kind::TextBox);
        row("exit txtFriendEmail", Screen::Exit, "txtFriendEmail", Kind::TextBox);
    }

    void edgesAndFacesAsDesigned()
    {
        QFETCH(Screen, screen);
        QFETCH(QString, control);
        QFETCH(Kind, kind);
        QFETCH(QColor, face);
        QWidget *window = open(screen);
        auto *widget = window->findChild<QWidget *>(control);
        QVERIFY(widget && widget->isVisible());
        auto *button = qobject_cast<QPushButton *>(widget);
        if (kind == Kind::PressedButton || kind == Kind::PressedFramed)
            button->setDown(true);
        if (kind == Kind::CheckedBox)
            button->setChecked(true);

        const QImage shot = window->grab().toImage();
        const QRect outer(widget->mapTo(window, QPoint()), widget->size());
        const QRect inner = outer.adjusted(1, 1, -1, -1);
        const QColor paletteFace = face.isValid() ? face : QApplication::palette().color(QPalette::Button);

        if (kind == Kind::TextBox) {
            // One flat line in the window-text colour, then straight to the window background: no shadow.
            const QColor border = QApplication::palette().color(QPalette::WindowText);
            const QColor fill = QApplication::palette().color(QPalette::Base);
            auto *area = qobject_cast<QAbstractScrollArea *>(widget);
            const int scrollBar = area ? area->verticalScrollBar()->width() : 0;
            if (area)
                QVERIFY2(area->verticalScrollBar()->isVisible(), "the scroll bar is always there");
            QString found = ringMismatch(shot, outer, border, border);
            if (found.isEmpty())
                found = ringMismatch(shot, inner, fill, fill, scrollBar);
            QVERIFY2(found.isEmpty(), qPrintable(found));
            const QPoint blank(outer.right() - 2 - scrollBar, outer.center().y());
            QCOMPARE(shot.pixelColor(blank), fill);
            return;
        }

        QRect bevel = outer;
        if (kind == Kind::FramedButton || kind == Kind::PressedFramed) {
            const QString frame = ringMismatch(shot, outer, kBlack, kBlack);
            QVERIFY2(frame.isEmpty(), qPrintable(QStringLiteral("default frame: ") + frame));
            bevel = outer.adjusted(1, 1, -1, -1);
        }
        const bool sunken = kind == Kind::PressedButton || kind == Kind::PressedFramed || kind == Kind::CheckedBox;
        const Rings rings =
            sunken ? Rings{kBlack, kWhite, kGrey, paletteFace} : Rings{kWhite, kBlack, paletteFace, kGrey};
        QString found = ringMismatch(shot, bevel, rings.outerTopLeft, rings.outerBottomRight);
        if (found.isEmpty())
            found = ringMismatch(shot, bevel.adjusted(1, 1, -1, -1), rings.innerTopLeft, rings.innerBottomRight);
        QVERIFY2(found.isEmpty(), qPrintable(found));
        // The face is flat, the caption centred on it: beside the caption, its first and last columns.
        const int middle = bevel.center().y();
        QCOMPARE(shot.pixelColor(bevel.left() + 3, middle), paletteFace);
        QCOMPARE(shot.pixelColor(bevel.right() - 3, middle), paletteFace);
        QCOMPARE(shot.pixelColor(bevel.left() + 3, bevel.top() + 3), paletteFace);
        // The caption's colour shows, and no more of it on the left than on the right: it stands in the middle.
        const QColor text = button->palette().color(QPalette::ButtonText);
        int left = 0, right = 0;
        for (int y = bevel.top() + 2; y < bevel.bottom() - 1; ++y)
            for (int x = bevel.left() + 2; x < bevel.right() - 1; ++x)
                if (shot.pixelColor(x, y) == text)
                    (x < bevel.center().x() + (sunken ? 1 : 0) ? left : right)++;
        QVERIFY2(left > 0 && right > 0, "caption shows on both sides");
    }

    void focusRectangleOnlyAfterTheKeyboard_data()
    {
        QTest::addColumn<Screen>("screen");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("tabbedTo");
        QTest::addColumn<int>("inset"); // of the dotted rectangle

        // Each patch, clicked, then Tab to the next one in the tab order.
        const int order[] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4};
        for (int i = 0; i < 15; ++i)
            QTest::addRow("picColor%d", order[i]) << Screen::Main << QStringLiteral("picColor%1").arg(order[i])
                                                  << QStringLiteral("picColor%1").arg(order[i + 1]) << 3;
        // Buttons: the focused one carries the default frame, the rectangle sits inside the bevel.
        QTest::newRow("cmdBack") << Screen::DayPanel << QStringLiteral("cmdBack") << QStringLiteral("cmdExit") << 4;
    }

    void focusRectangleOnlyAfterTheKeyboard()
    {
        QFETCH(Screen, screen);
        QFETCH(QString, clicked);
        QFETCH(QString, tabbedTo);
        QFETCH(int, inset);
        QWidget *window = open(screen);
        QWidget *first = window->findChild<QWidget *>(clicked);
        QWidget *next = window->findChild<QWidget *>(tabbedTo);
        const auto background = [](QWidget *w) {
            auto *patch = qobject_cast<PictureBox *>(w);
            return patch ? patch->background() : w->palette().color(QPalette::Button);
        };

        // Tab first, so that the click has a cue to put out.
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY2(showsNoRectangle(first->grab().toImage(), inset, background(first)), "no rectangle after a click");

        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QVERIFY2(showsDottedRectangle(next->grab().toImage(), inset, background(next)), "a rectangle after Tab");
        QVERIFY(showsNoRectangle(first->grab().toImage(), inset, background(first)));

        // An arrow key brings the rectangle back after the next click, too.
        QTest::mouseClick(first, Qt::LeftButton);
        QVERIFY(showsNoRectangle(first->grab().toImage(), inset, background(first)));
        QTest::keyClick(first, Qt::Key_Down);
        QWidget *now = QApplication::focusWidget(); // an arrow moves between buttons
        QVERIFY(showsDottedRectangle(now->grab().toImage(), inset, background(now)));
    }

    void keyboardCuesCarryIntoTheNextWindow()
    {
        // A keyboard user who opens the next window sees where its focus is at once.
        QWidget *main = open(Screen::Main);
        QTest::keyClick(main->focusWidget(), Qt::Key_Tab);
        QWidget *about = open(Screen::About, true);
        QWidget *ok = about->findChild<QWidget *>(QStringLiteral("cmdOK"));
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(showsDottedRectangle(ok->grab().toImage(), 4, kGraphicalFace));
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(showsNoRectangle(ok->grab().toImage(), 4, kGraphicalFace));
    }

    void handIsDrawnInTheClassicPalette()
    {
        // The 16-colour hand: 32 x 32 in the sixteen colours of the classic palette, more than greys.
        const std::set<QRgb> palette16{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        const QImage hand16 = handImage(Cursor::Hand16);
        QCOMPARE(hand16.size(), QSize(32, 32));
        const std::set<QRgb> used = coloursOf(hand16);
        QVERIFY(std::includes(palette16.begin(), palette16.end(), used.begin(), used.end()));
        QVERIFY(std::count_if(used.begin(), used.end(), [](QRgb c) { return qRed(c) != qBlue(c); }) > 0);
        QCOMPARE(coloursOf(handImage(Cursor::Hand2)).size(), size_t(2));
        QCOMPARE(handImage(Cursor::Hand2).size(), QSize(32, 32));
    }

    void handsDoubleForDenseScreens_data()
    {
        QTest::addColumn<Cursor>("which");
        QTest::newRow("16-colour hand") << Cursor::Hand16;
        QTest::newRow("two-colour hand") << Cursor::Hand2;
    }

    void handsDoubleForDenseScreens()
    {
        // Twice the size for screens of twice the density, the same picture.
        QFETCH(Cursor, which);
        const QImage one = handImage(which), two = handImage(which, 2);
        QCOMPARE(two.size(), QSize(64, 64));
        QCOMPARE(two.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation), one);
    }

    void clickableControlsShowTheHand()
    {
        // Every control with a hand shows the 16-colour one, except the co-branding offer.
        int hands = 0;
        for (Screen screen : {Screen::Main, Screen::DayPanel, Screen::About, Screen::Exit}) {
            const QWidget *window = open(screen);
            for (const QWidget *w : window->findChildren<QWidget *>()) {
                if (!w->testAttribute(Qt::WA_SetCursor) || w->cursor().shape() != Qt::BitmapCursor)
                    continue;
                const Cursor expected = w->objectName() == QLatin1String("lblCobrand") ? Cursor::Hand2 : Cursor::Hand16;
                QVERIFY2(w->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32) == handImage(expected),
                         qPrintable(w->objectName()));
                ++hands;
            }
        }
        QVERIFY(hands >= 16 + 2 * 3 + 2 + 2);
    }

private:
    /// A fresh window of the kind, active, with the cues of the keyboard put out unless `keepCues`.
    QWidget *open(Screen screen, bool keepCues = false)
    {
        m_window.reset();
        m_effects = test::FakeEffects();
        m_effects.randoms = {0.5};
        QWidget *window = nullptr;
        switch (screen) {
        case Screen::Main:
            window = new MainWindow(m_effects);
            break;
        case Screen::About:
            window = new AboutWindow(m_effects);
            break;
        case Screen::Exit:
            window = new ExitWindow(m_effects, m_record);
            break;
        default: {
            auto *result = new ResultWindow(m_effects);
            result->openOnDayPanel();
            QWidget *front = screen == Screen::ProblemPanel    ? result->problemPanel()
                             : screen == Screen::SolutionPanel ? result->solutionPanel()
                             : screen == Screen::ShowAllPanel  ? result->showAllPanel()
                                                               : result->dayPanel();
            front->show();
            front->stackUnder(result->findChild<QWidget *>(QStringLiteral("Frame5")));
            window = result;
        }
        }
        m_window.reset(window);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("window not active");
        if (!keepCues) // a click on a corner no control covers
            QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(window->width() - 1, window->height() - 1));
        return window;
    }

    test::FakeEffects m_effects;
    ReferralRecord m_record;
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(LookTest)
#include "look_test.moc"

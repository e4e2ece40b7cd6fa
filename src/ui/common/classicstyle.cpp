#include "ui/common/classicstyle.h"

#include "ui/common/palette.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace tintwise {
namespace {

// The three-dimensional colours of the classic desktop scheme; the face is each button's own.
constexpr QColor kHighlight = kWhite;
constexpr QColor kShadow = kShadowGrey;
constexpr QColor kDarkShadow = kBlack;
constexpr QColor kDefaultFrame = kBlack;

const char *const kClassicProperty = "tintwiseClassic";

/// One-pixel lines along the top and left (`topLeft`) and the bottom and right (`bottomRight`) of `r`.
void drawEdges(QPainter *painter, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

/// Raised: light outside top and left, dark outside bottom and right; pressed turns both rings over.
void drawBevel(QPainter *painter, const QRect &r, const QColor &face, bool sunken)
{
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (sunken) {
        drawEdges(painter, r, kDarkShadow, kHighlight);
        drawEdges(painter, inner, kShadow, face);
    } else {
        drawEdges(painter, r, kHighlight, kDarkShadow);
        drawEdges(painter, inner, face, kShadow);
    }
}

/// The button Enter presses carries the default frame: the focused push button, else the window's default one.
bool carriesDefaultFrame(const QWidget *widget, const QStyleOptionButton *option)
{
    auto *button = qobject_cast<const QPushButton *>(widget);
    if (!button)
        return option->features & QStyleOptionButton::DefaultButton;
    if (button->isCheckable())
        return false;
    auto *focused = qobject_cast<const QPushButton *>(button->window()->focusWidget());
    if (focused && !focused->isCheckable() && hasClassicLook(focused))
        return focused == button;
    return button->isDefault();
}

void setFocusCue(QWidget *window, bool on)
{
    if (window->testAttribute(Qt::WA_KeyboardFocusChange) == on)
        return;
    window->setAttribute(Qt::WA_KeyboardFocusChange, on);
    if (QWidget *focused = window->focusWidget())
        focused->update();
}

} // namespace

void setClassicLook(QWidget *widget)
{
    widget->setProperty(kClassicProperty, true);
}

bool hasClassicLook(const QWidget *widget)
{
    return widget && widget->property(kClassicProperty).toBool();
}

bool showsFocusCue(const QWidget *widget)
{
    return widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void drawFocusCue(QPainter *painter, const QRect &rect, const QColor &background)
{
    // Every other pixel, starting at the corner, as the classic desktop draws it.
    QList<QPoint> dots;
    for (int x = rect.left(); x <= rect.right(); x += 2)
        dots << QPoint(x, rect.top()) << QPoint(x, rect.bottom());
    for (int y = rect.top(); y <= rect.bottom(); y += 2)
        dots << QPoint(rect.left(), y) << QPoint(rect.right(), y);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(background.lightness() > 128 ? Qt::black : Qt::white, 1));
    painter->drawPoints(dots.constData(), int(dots.size()));
    painter->restore();
}

ClassicStyle::ClassicStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ClassicStyle::polish(QApplication *application)
{
    QProxyStyle::polish(application);
    application->installEventFilter(this);
}

void ClassicStyle::unpolish(QApplication *application)
{
    application->removeEventFilter(this);
    QProxyStyle::unpolish(application);
}

void ClassicStyle::drawControl(ControlElement element,
                               const QStyleOption *option,
                               QPainter *painter,
                               const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != CE_PushButton || !button || !hasClassicLook(widget)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }

    const QColor face = button->palette.color(QPalette::Button);
    const bool sunken = button->state & (State_Sunken | State_On);
    QRect bevel = button->rect;
    painter->save();
    painter->fillRect(bevel, face);
    if (carriesDefaultFrame(widget, button)) {
        drawEdges(painter, bevel, kDefaultFrame, kDefaultFrame);
        bevel.adjust(1, 1, -1, -1);
    }
    drawBevel(painter, bevel, face, sunken);

    QRect caption = bevel.adjusted(2, 2, -2, -2);
    if (sunken)
        caption.translate(pixelMetric(PM_ButtonShiftHorizontal, option, widget),
                          pixelMetric(PM_ButtonShiftVertical, option, widget));
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!proxy()->styleHint(SH_UnderlineShortcut, option, widget))
        flags |= Qt::TextHideMnemonic;
    proxy()->drawItemText(painter, caption, flags, button->palette, button->state & State_Enabled, button->text,
                          QPalette::ButtonText);
    if ((button->state & State_HasFocus) && (button->state & State_KeyboardFocusChange))
        drawFocusCue(painter, bevel.adjusted(3, 3, -3, -3), face);
    painter->restore();
}

void ClassicStyle::drawPrimitive(PrimitiveElement element,
                                 const QStyleOption *option,
                                 QPainter *painter,
                                 const QWidget *widget) const
{
    if ((element == PE_PanelLineEdit || element == PE_FrameLineEdit) && hasClassicLook(widget)) {
        // Flat: one line of the window-text colour around the window background, no rounding, no shadow.
        if (element == PE_PanelLineEdit)
            painter->fillRect(option->rect, option->palette.color(QPalette::Base));
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (element == PE_FrameLineEdit || (frame && frame->lineWidth > 0))
            drawEdges(painter, option->rect, option->palette.color(QPalette::WindowText),
                      option->palette.color(QPalette::WindowText));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (hasClassicLook(widget)) {
        switch (metric) {
        case PM_ButtonShiftHorizontal:
        case PM_ButtonShiftVertical:
            return 1;
        case PM_DefaultFrameWidth:
            if (qobject_cast<const QLineEdit *>(widget))
                return 1;
            break;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int ClassicStyle::styleHint(StyleHint hint,
                            const QStyleOption *option,
                            const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    // Access keys are always underlined.
    if (hint == SH_UnderlineShortcut)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ClassicStyle::setKeyboardCues(bool on)
{
    // One state for the whole program: a keyboard user keeps the cues in the next window that comes up.
    m_keyboardCues = on;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            setFocusCue(window, on);
    }
}

bool ClassicStyle::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return QProxyStyle::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            setKeyboardCues(true);
            break;
        default:
            break;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        setKeyboardCues(false);
        break;
    case QEvent::Show:
    case QEvent::WindowActivate:
        if (widget->isWindow())
            setFocusCue(widget, m_keyboardCues);
        break;
    case QEvent::FocusIn:
        // The default frame follows the focus between buttons. Only on focus in: a focus out also comes
        // from a window tearing down its children, when they cannot be looked through.
        for (QPushButton *button : widget->window()->findChildren<QPushButton *>()) {
            if (hasClassicLook(button))
                button->update();
        }
        break;
    default:
        break;
    }
    return QProxyStyle::eventFilter(watched, event);
}

} // namespace tintwise

#pragma once

#include <QColor>
#include <QProxyStyle>

class QPainter;
class QRect;

namespace tintwise {

/// The look of a classic desktop over Fusion: raised command buttons with a flat face of their own colour,
/// flat text boxes, and focus rectangles only once the keyboard has been used. Menus, scroll bars,
/// the combo box and message boxes keep Fusion's look.
class ClassicStyle : public QProxyStyle
{
    Q_OBJECT
public:
    ClassicStyle();

    void polish(QApplication *application) override;
    void unpolish(QApplication *application) override;

    void drawControl(ControlElement element,
                     const QStyleOption *option,
                     QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element,
                       const QStyleOption *option,
                       QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric,
                    const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint,
                  const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setKeyboardCues(bool on);

    bool m_keyboardCues = false;
};

/// Classic drawing is for the design's own controls only: the helpers that build them mark them.
void setClassicLook(QWidget *widget);
bool hasClassicLook(const QWidget *widget);

/// Whether the focused control of `widget`'s window shows its focus rectangle: only after Tab or an arrow key,
/// until the next mouse click.
bool showsFocusCue(const QWidget *widget);

/// The one-pixel dotted focus rectangle, in a colour that shows on `background`.
void drawFocusCue(QPainter *painter, const QRect &rect, const QColor &background);

} // namespace tintwise

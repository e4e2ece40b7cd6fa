#include "ui/common/frame.h"

#include "ui/common/labels.h"
#include "ui/common/palette.h"

#include <QPainter>

namespace tintwise {

Frame::Frame(QWidget *parent,
             const QString &name,
             const QRect &geometry,
             const QColor &background,
             Border border,
             const QString &caption)
    : QFrame(parent)
    , m_background(background)
    , m_border(border)
    , m_caption(caption)
    , m_captionFont(font())
    , m_captionColour(palette().color(QPalette::ButtonText))
{
    setObjectName(name);
    setGeometry(geometry);
    // Children that do not paint themselves show the panel's colour.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(false);
}

void Frame::setCaptionFont(const QFont &font)
{
    m_captionFont = font;
    update();
}

void Frame::setCaptionColour(const QColor &colour)
{
    m_captionColour = colour;
    update();
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    if (m_border == Border::None)
        return;

    const QFontMetrics metrics(m_captionFont);
    const int lineY = m_caption.isEmpty() ? 0 : metrics.height() / 2;
    const QRect box = rect().adjusted(0, lineY, -1, -1);
    if (m_border == Border::Flat) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(box);
    } else {
        painter.setPen(kShadowGrey);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(kWhite);
        painter.drawRect(box.adjusted(1, 1, 0, 0));
    }
    if (m_caption.isEmpty())
        return;
    const QString text = labelText(m_caption);
    const QRect textRect(8, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    painter.fillRect(textRect, m_background);
    painter.setFont(m_captionFont);
    painter.setPen(m_captionColour);
    painter.drawText(textRect, Qt::AlignCenter, text);
}

} // namespace tintwise

#include "ui/common/picturebox.h"

#include "ui/common/accessibility.h"
#include "ui/common/classicstyle.h"
#include "ui/common/palette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tintwise {

PictureBox::PictureBox(
    QWidget *parent, const QString &name, const QRect &geometry, const QColor &background, bool border)
    : QWidget(parent)
    , m_background(background)
    , m_border(border)
{
    installHandDrawnAccessibility();
    setObjectName(name);
    setGeometry(geometry);
}

void PictureBox::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Filled and framed in whole device pixels: on a screen scaled by 1.25 or 1.5 neighbouring boxes (the
    // wheel) then meet without seams or overlaps, and every border is equally thick.
    const QTransform toDevice = painter.deviceTransform();
    const QRectF exact = toDevice.mapRect(QRectF(rect()));
    const QRect box(QPoint(qRound(exact.left()), qRound(exact.top())),
                    QPoint(qRound(exact.right()) - 1, qRound(exact.bottom()) - 1));
    painter.save();
    painter.setWorldTransform(toDevice.inverted());
    painter.fillRect(box, m_background);
    if (m_border) {
        const int line = qMax(1, qRound(devicePixelRatioF()));
        painter.fillRect(QRect(box.left(), box.top(), box.width(), line), kBlack);
        painter.fillRect(QRect(box.left(), box.bottom() - line + 1, box.width(), line), kBlack);
        painter.fillRect(QRect(box.left(), box.top(), line, box.height()), kBlack);
        painter.fillRect(QRect(box.right() - line + 1, box.top(), line, box.height()), kBlack);
    }
    painter.restore();
    const int inset = m_border ? 1 : 0;
    if (!m_pixmap.isNull())
        painter.drawPixmap(inset, inset, m_pixmap);
    // Keyboard users need to see which patch has the focus; a click needs no such cue.
    if (hasFocus() && showsFocusCue(this))
        drawFocusCue(&painter, rect().adjusted(3, 3, -3, -3), m_background);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    // Space picks a focused patch, so the wheel works from the keyboard too.
    if (event->key() == Qt::Key_Space && focusPolicy() != Qt::NoFocus && event->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

Shape::Shape(QWidget *parent, const QString &name, const QRect &geometry, const QColor &colour)
    : QWidget(parent)
    , m_colour(colour)
{
    setObjectName(name);
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_colour);
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace tintwise

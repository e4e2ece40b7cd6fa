#pragma once

#include <QAccessible>
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace tintwise {

/// A picture box: background colour, optional flat one-pixel border and picture, and a click signal.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    PictureBox(QWidget *parent, const QString &name, const QRect &geometry, const QColor &background, bool border);
    void setPixmap(const QPixmap &pixmap);
    QColor background() const { return m_background; }

    /// What screen readers take it for: a picture unless told otherwise. As a Button their press action
    /// clicks it.
    void setAccessibleRole(QAccessible::Role role) { m_role = role; }
    QAccessible::Role accessibleRole() const { return m_role; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QColor m_background;
    bool m_border;
    bool m_pressed = false;
    QPixmap m_pixmap;
    QAccessible::Role m_role = QAccessible::Graphic;
};

/// One of the small red marks of a wait strip.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(QWidget *parent, const QString &name, const QRect &geometry, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};

} // namespace tintwise

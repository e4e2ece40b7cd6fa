#pragma once

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QString>

#include <array>

class QAbstractButton;
class QPushButton;

namespace tintwise {

/// Layout unit of the design: 15 twips to one logical pixel.
QRect twips(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

/// Faces of the design; substitutes are registered at start-up where they are not installed.
QFont designFont(const QString &face, double points, bool bold, bool underline = false);
QFont verdana(double points, bool bold, bool underline = false);
void registerFontSubstitutes();

/// A caption as the design writes it ("&&" shows one ampersand) turned into plain label text.
QString labelText(const QString &caption);

enum class Cursor
{
    Hand16,
    Hand2,
};
QCursor handCursor(Cursor which = Cursor::Hand16);
/// The cursor's picture: 32 x 32 pixels times `scale` (2 for screens of twice the density).
QImage handImage(Cursor which, int scale = 1);

QIcon applicationIcon();

/// Where a window of `size` goes in a screen's `available` area: in the middle, but never above or left of it,
/// so its title bar and menu bar stay on screen. A window larger than the area starts at its top-left corner.
QPoint placementOnScreen(QSize size, const QRect &available);

/// Places a fixed-size window on its screen's available area by placementOnScreen.
void centreOnScreen(QWidget *window);

/// A frame or panel: fills its rectangle with its background and draws the requested border and caption.
class Frame : public QFrame
{
    Q_OBJECT
public:
    enum class Border
    {
        None,
        Flat,     // one-pixel line
        Standard, // etched line
    };
    Frame(QWidget *parent,
          const QString &name,
          const QRect &geometry,
          const QColor &background,
          Border border = Border::None,
          const QString &caption = {});

    void setCaptionFont(const QFont &font);
    void setCaptionColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
    Border m_border;
    QString m_caption;
    QFont m_captionFont;
    QColor m_captionColour;
};

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

enum class LabelSize
{
    Auto, // fits its text on one line
    Wrap, // keeps its box and wraps at word boundaries
};

QLabel *makeLabel(QWidget *parent,
                  const QString &name,
                  const QRect &geometry,
                  const QString &caption,
                  const QFont &font,
                  const QColor &colour,
                  Qt::Alignment alignment,
                  LabelSize size);

/// A clickable label (links and offers); shows the given hand cursor. Screen readers see a link named by
/// its text, which their press action clicks; it stays out of the tab order.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

LinkLabel *makeLinkLabel(QWidget *parent,
                         const QString &name,
                         const QRect &geometry,
                         const QString &caption,
                         const QFont &font,
                         const QColor &colour,
                         Qt::Alignment alignment,
                         LabelSize size,
                         Cursor cursor = Cursor::Hand16);

/// What a click on a link to the site page `pageKey` does, as screen readers describe the link.
QString linkDescription(const QString &pageKey);

/// A push button whose face colour shows (the design's graphical buttons).
QPushButton *makeButton(QWidget *parent,
                        const QString &name,
                        const QRect &geometry,
                        const QString &caption,
                        const QFont &font,
                        const QColor &face = {});

/// "Please Wait" with its four marks, as both reading windows show it while they wait. Screen readers take
/// the strip for a notification named "Please Wait".
struct WaitStrip
{
    PictureBox *picMessage = nullptr;
    QLabel *pi = nullptr;
    std::array<Shape *, 4> marks{};
};
WaitStrip buildWaitStrip(QWidget *container, const QRect &geometry);

} // namespace tintwise

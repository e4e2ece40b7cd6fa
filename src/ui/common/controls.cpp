#include "ui/common/controls.h"

#include "links/sitelinks.h"
#include "ui/common/classicstyle.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tintwise {
namespace {

// Hotspots of the two hand images: the tip of the index finger.
constexpr int kHand16HotX = 10;
constexpr int kHand16HotY = 0;
constexpr int kHand2HotX = 10;
constexpr int kHand2HotY = 1;

// The 16-colour hand, one letter a pixel; every colour is one of the sixteen of the classic palette.
constexpr int kCursorSize = 32;
constexpr const char *kHand16Art[kCursorSize] = {
    ".........KKKK...................", "........KWWWSK..................", "........KWWWSK..................",
    "........KWWWSK..................", "........KWWWSK..................", "........KWWWSK..................",
    "........KWWWSKKKK...............", "........KWWWSKWWSKKKK...........", "........KWWWSKWWSKWWSK..........",
    "........KWWWSKWWSKWWSKKK........", "........KWWWSKWWSKWWSKWSK.......", "...KKK..KWWWSKWWSKWWSKWSK.......",
    "..KWWSK.KWWWWGWWWGWWWGWSK.......", "..KWWWSKKWWWWWWWWWWWWWWSK.......", "...KWWWSWWWWWWWWWWWWWWWSK.......",
    "....KWWWSWWWWWWWWWWWWWWSK.......", ".....KWWWWWWWWWWWWWWWWWSK.......", "......KWWWWWWWWWWWWWWWWSK.......",
    ".......KWWWWWWWWWWWWWWWSK.......", "........KWWWWWWWWWWWWWWSK.......", "........KWWWWWWWWWWWWWSSK.......",
    ".........KWWWWWWWWWWWSSK........", ".........KKKKKKKKKKKKKKK........", ".........KAAAAAAAAAAAAAK........",
    ".........KBBBBBBBBBBBBNK........", ".........KBBBBBBBYYBBBNK........", ".........KBBBBBBBYOBBBNK........",
    ".........KBBBBBBBBBBBBNK........", ".........KNNNNNNNNNNNNNK........", ".........KKKKKKKKKKKKKKK........",
    "................................", "................................",
};

QRgb hand16Colour(char letter)
{
    switch (letter) {
    case 'K':
        return qRgb(0x00, 0x00, 0x00);
    case 'W':
        return qRgb(0xFF, 0xFF, 0xFF);
    case 'S':
        return qRgb(0xC0, 0xC0, 0xC0);
    case 'G':
        return qRgb(0x80, 0x80, 0x80);
    case 'A':
        return qRgb(0x00, 0xFF, 0xFF);
    case 'B':
        return qRgb(0x00, 0x00, 0xFF);
    case 'N':
        return qRgb(0x00, 0x00, 0x80);
    case 'Y':
        return qRgb(0xFF, 0xFF, 0x00);
    case 'O':
        return qRgb(0x80, 0x80, 0x00);
    default:
        return qRgba(0, 0, 0, 0);
    }
}

int px(int twipValue)
{
    return int(std::lround(twipValue / 15.0));
}

/// A label's text as a screen reader should say it: one run of spaces, and "&" in words.
QString spokenText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral(" and ")).simplified();
}

/// Screen readers' view of the clickable controls that are drawn by hand: the toolkit knows a label and a
/// plain widget, not a link or a colour patch that can be chosen.
class HandDrawnAccessible : public QAccessibleWidget
{
public:
    explicit HandDrawnAccessible(QWidget *widget)
        : QAccessibleWidget(widget)
    {
    }

    QAccessible::Role role() const override
    {
        if (qobject_cast<const LinkLabel *>(widget()))
            return QAccessible::Link;
        if (auto *box = qobject_cast<const PictureBox *>(widget()))
            return box->accessibleRole();
        return QAccessibleWidget::role();
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (auto *label = qobject_cast<const LinkLabel *>(widget()))
                return spokenText(label->text());
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = role() == QAccessible::Link;
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (clickable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction() || !clickable()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!widget()->isEnabled())
            return;
        if (auto *label = qobject_cast<LinkLabel *>(widget()))
            emit label->clicked();
        else if (auto *box = qobject_cast<PictureBox *>(widget()))
            emit box->clicked();
    }

private:
    bool clickable() const
    {
        const QAccessible::Role r = role();
        return r == QAccessible::Link || r == QAccessible::Button;
    }
};

QAccessibleInterface *handDrawnControl(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()) ||
        className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new HandDrawnAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// Before the first screen reader asks about one of these controls: the toolkit keeps the first answer.
void installHandDrawnAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(handDrawnControl);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QSize twipsSize(int width, int height)
{
    return QSize(px(width), px(height));
}

QFont designFont(const QString &face, double points, bool bold, bool underline)
{
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont verdana(double points, bool bold, bool underline)
{
    return designFont(QStringLiteral("Verdana"), points, bold, underline);
}

void registerFontSubstitutes()
{
    // Verdana and MS Sans Serif are not free; DejaVu Sans shares Verdana's wide metrics and
    // Liberation Sans is close to the dialog font.
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("Verdana")))
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    if (!families.contains(QStringLiteral("MS Sans Serif")))
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QString labelText(const QString &caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text;
}

QImage handImage(Cursor which, int scale)
{
    QImage image;
    if (which == Cursor::Hand2) {
        image = QImage(QStringLiteral(":/assets/hand2.png")).convertToFormat(QImage::Format_ARGB32);
    } else {
        image = QImage(kCursorSize, kCursorSize, QImage::Format_ARGB32);
        for (int y = 0; y < kCursorSize; ++y)
            for (int x = 0; x < kCursorSize; ++x)
                image.setPixel(x, y, hand16Colour(kHand16Art[y][x]));
    }
    // Larger screens get the same pixels, each drawn as a square of `scale` pixels: no blurred edges.
    if (scale > 1)
        image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

QCursor handCursor(Cursor which)
{
    const int scale = qGuiApp && qGuiApp->devicePixelRatio() > 1.5 ? 2 : 1;
    QPixmap pixmap = QPixmap::fromImage(handImage(which, scale));
    pixmap.setDevicePixelRatio(scale);
    // Hotspots sit on the tip of the index finger.
    if (which == Cursor::Hand2)
        return QCursor(pixmap, kHand2HotX, kHand2HotY);
    return QCursor(pixmap, kHand16HotX, kHand16HotY);
}

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/assets/tintwise.png"));
}

namespace {

void centreFrame(QWidget *window, const QSize &frameSize)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame, title bar included, is centred, but never placed above or left of the available area.
    window->move(placementOnScreen(frameSize, screen->availableGeometry()));
}

/// A window manager's frame is known only once the window is on screen: then the frame, title bar
/// included, is centred instead of the client area, once. Without a window manager nothing changes.
class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWindow *handle = m_window->windowHandle();
        if (watched == m_window && event->type() == QEvent::Show && handle)
            handle->installEventFilter(this);
        // The frame may become known with the first exposure or with the move into it.
        const bool settled = (watched == handle && event->type() == QEvent::Expose) ||
                             (watched == m_window && event->type() == QEvent::Move);
        if (settled && m_window->isVisible()) {
            const QSize frame = m_window->frameGeometry().size();
            if (frame != m_window->size()) {
                m_window->removeEventFilter(this);
                if (handle)
                    handle->removeEventFilter(this);
                deleteLater();
                centreFrame(m_window, frame);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

} // namespace

void centreOnScreen(QWidget *window)
{
    window->adjustSize();
    centreFrame(window, window->size());
    new FrameCentring(window);
}

QPoint placementOnScreen(QSize size, const QRect &available)
{
    const auto start = [](int origin, int room, int extent) { return origin + std::max(0, (room - extent) / 2); };
    return {start(available.x(), available.width(), size.width()),
            start(available.y(), available.height(), size.height())};
}

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
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
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
        painter.fillRect(QRect(box.left(), box.top(), box.width(), line), Qt::black);
        painter.fillRect(QRect(box.left(), box.bottom() - line + 1, box.width(), line), Qt::black);
        painter.fillRect(QRect(box.left(), box.top(), line, box.height()), Qt::black);
        painter.fillRect(QRect(box.right() - line + 1, box.top(), line, box.height()), Qt::black);
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

static void setUpLabel(QLabel *label,
                       const QString &name,
                       const QRect &geometry,
                       const QString &caption,
                       const QFont &font,
                       const QColor &colour,
                       Qt::Alignment alignment,
                       LabelSize size)
{
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->setText(labelText(caption));
    label->setAlignment(alignment | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    if (size == LabelSize::Wrap) {
        label->setWordWrap(true);
        label->setGeometry(geometry);
    } else {
        label->move(geometry.topLeft());
        label->adjustSize();
    }
}

QLabel *makeLabel(QWidget *parent,
                  const QString &name,
                  const QRect &geometry,
                  const QString &caption,
                  const QFont &font,
                  const QColor &colour,
                  Qt::Alignment alignment,
                  LabelSize size)
{
    auto *label = new QLabel(parent);
    setUpLabel(label, name, geometry, caption, font, colour, alignment, size);
    return label;
}

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    installHandDrawnAccessibility();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

LinkLabel *makeLinkLabel(QWidget *parent,
                         const QString &name,
                         const QRect &geometry,
                         const QString &caption,
                         const QFont &font,
                         const QColor &colour,
                         Qt::Alignment alignment,
                         LabelSize size,
                         Cursor cursor)
{
    auto *label = new LinkLabel(parent);
    setUpLabel(label, name, geometry, caption, font, colour, alignment, size);
    label->setCursor(handCursor(cursor));
    return label;
}

QString linkDescription(const QString &pageKey)
{
    struct Page
    {
        const char *key;
        const char *what;
    };
    static constexpr Page pages[] = {
        {PageKey::HomePage, "Zorvel Tintwise home page"},
        {PageKey::FullyBranded, "page on fully branded editions"},
        {PageKey::CoBrand, "page on co-branding"},
        {PageKey::ArcanelSoftwares, "Arcanel home page"},
    };
    for (const Page &page : pages) {
        if (pageKey == QLatin1String(page.key))
            return QStringLiteral("Opens the %1 in your browser").arg(QLatin1String(page.what));
    }
    return QStringLiteral("Opens a page of the maker's web site in your browser");
}

QPushButton *makeButton(QWidget *parent,
                        const QString &name,
                        const QRect &geometry,
                        const QString &caption,
                        const QFont &font,
                        const QColor &face)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    setClassicLook(button);
    if (face.isValid()) {
        QPalette pal = button->palette();
        pal.setColor(QPalette::Button, face);
        button->setPalette(pal);
    }
    return button;
}

WaitStrip buildWaitStrip(QWidget *container, const QRect &geometry)
{
    WaitStrip strip;
    strip.picMessage = new PictureBox(container, QStringLiteral("picMessage"), geometry,
                                      container->palette().color(QPalette::Base), true);
    // Positions inside a bordered picture box count from inside its border.
    const QPoint inside(1, 1);
    strip.pi =
        makeLabel(strip.picMessage, QStringLiteral("pi"), twips(120, 120, 1545, 270).translated(inside),
                  QStringLiteral("Please Wait"), verdana(12, true), QColor(0xFF0000), Qt::AlignLeft, LabelSize::Auto);
    strip.picMessage->setAccessibleName(strip.pi->text());
    strip.picMessage->setAccessibleRole(QAccessible::Notification);
    const int lefts[4] = {1800, 2120, 2440, 2760};
    for (int i = 0; i < 4; ++i) {
        strip.marks[i] = new Shape(strip.picMessage, QStringLiteral("shp%1").arg(i + 1),
                                   twips(lefts[i], 240, 135, 135).translated(inside), QColor(0xFF0000));
        strip.marks[i]->hide();
    }
    // The design lists shp4 first, so it lies in front.
    for (auto *mark : strip.marks)
        mark->raise();
    strip.picMessage->hide();
    return strip;
}

} // namespace tintwise

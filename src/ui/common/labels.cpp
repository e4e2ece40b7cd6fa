#include "ui/common/labels.h"

#include "links/sitelinks.h"
#include "ui/common/accessibility.h"

#include <QMouseEvent>

namespace tintwise {

QString labelText(const QString &caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text;
}

namespace {

void setUpLabel(QLabel *label, const QString &name, const QRect &geometry, const QString &caption, const TextLook &look)
{
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(look.font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, look.colour);
    label->setPalette(pal);
    label->setText(labelText(caption));
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    if (look.size == LabelSize::Wrap) {
        label->setWordWrap(true);
        label->setGeometry(geometry);
    } else {
        label->move(geometry.topLeft());
        label->adjustSize();
    }
}

} // namespace

QLabel *
makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption, const TextLook &look)
{
    auto *label = new QLabel(parent);
    setUpLabel(label, name, geometry, caption, look);
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
                         const TextLook &look,
                         Cursor cursor)
{
    auto *label = new LinkLabel(parent);
    setUpLabel(label, name, geometry, caption, look);
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

void opensPage(LinkLabel *label, Effects &effects, const char *pageKey)
{
    label->setAccessibleDescription(linkDescription(QLatin1String(pageKey)));
    QObject::connect(label, &LinkLabel::clicked, label,
                     [&effects, pageKey] { OpenSitePage(effects, QLatin1String(pageKey)); });
}

} // namespace tintwise

#pragma once

#include "ui/common/cursors.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

namespace tintwise {

class Effects;

/// A caption as the design writes it ("&&" shows one ampersand) turned into plain label text.
QString labelText(const QString &caption);

enum class LabelSize
{
    Auto, // fits its text on one line
    Wrap, // keeps its box and wraps at word boundaries
};

/// How a label shows its text.
struct TextLook
{
    QFont font;
    QColor colour;
    Qt::Alignment alignment = Qt::AlignLeft;
    LabelSize size = LabelSize::Auto;
};

QLabel *
makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption, const TextLook &look);

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
                         const TextLook &look,
                         Cursor cursor = Cursor::Hand16);

/// What a click on a link to the site page `pageKey` does, as screen readers describe the link.
QString linkDescription(const QString &pageKey);

/// Makes a click on `label` open the site page `pageKey`, and tells screen readers so.
void opensPage(LinkLabel *label, Effects &effects, const char *pageKey);

} // namespace tintwise

#include "ui/common/accessibility.h"

#include "ui/common/labels.h"
#include "ui/common/picturebox.h"

#include <QAccessibleWidget>

namespace tintwise {
namespace {

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

} // namespace

void installHandDrawnAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(handDrawnControl);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tintwise

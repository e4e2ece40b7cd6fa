#include "ui/common/keyrouter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace tintwise {

KeyRouter::KeyRouter(QWidget *window, QAbstractButton *defaultButton, QAbstractButton *cancelButton)
    : QObject(window)
    , m_window(window)
    , m_default(defaultButton)
    , m_cancel(cancelButton)
{
    // Drawn with the default frame.
    if (auto *button = qobject_cast<QPushButton *>(defaultButton))
        button->setDefault(true);
    // Key events go to the focused child, so the window watches them application-wide.
    qApp->installEventFilter(this);
}

bool KeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window || !m_window->isVisible())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;

    QAbstractButton *target = nullptr;
    if (key->key() == Qt::Key_Escape) {
        target = m_cancel;
    } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QAbstractButton *>(m_window->focusWidget());
        target = focused ? focused : m_default.data();
    }
    if (!target)
        return false;
    if (target->isEnabled() && target->isVisibleTo(m_window))
        target->click();
    return true;
}

} // namespace tintwise

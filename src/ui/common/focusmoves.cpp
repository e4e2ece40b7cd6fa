#include "ui/common/focusmoves.h"

#include <QApplication>

namespace tintwise {

FocusMoves::FocusMoves(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    // A click into an inactive window moves the focus silently; the focus-in event comes with the activation
    // and names the activation as its reason. Only what took the focus tells a move from a return.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
}

void FocusMoves::focusChanged(QWidget *now)
{
    if (!m_window || !now || now->window() != m_window || now == m_current)
        return;
    const QPointer<QWidget> from = m_current;
    m_current = now;
    emit moved(from, now);
}

} // namespace tintwise

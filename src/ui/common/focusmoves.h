#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tintwise {

/// Reports the keyboard focus moving from one control of a window to another, whatever the order in
/// which the window's activation and the click arrive. The window getting or losing the activation, a
/// message box or a menu taking the focus for a while, is no move: the control focused last in the window
/// is remembered until another control of the window takes the focus.
class FocusMoves : public QObject
{
    Q_OBJECT
public:
    explicit FocusMoves(QWidget *window);

    /// The control of the window that had the focus last, whether or not the window is active.
    QWidget *current() const { return m_current; }

signals:
    /// `from` (null at first) lost the focus to `to`; both lie in the window.
    void moved(QWidget *from, QWidget *to);

private:
    void focusChanged(QWidget *now);

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_current;
};

} // namespace tintwise

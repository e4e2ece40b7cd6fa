#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace tintwise {

/// Gives a plain window the default and cancel buttons of a dialog: Esc presses the cancel button,
/// Enter presses the focused button, or the default button when the focus is not on a button.
class KeyRouter : public QObject
{
    Q_OBJECT
public:
    KeyRouter(QWidget *window, QAbstractButton *defaultButton, QAbstractButton *cancelButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPointer<QAbstractButton> m_default;
    QPointer<QAbstractButton> m_cancel;
};

} // namespace tintwise

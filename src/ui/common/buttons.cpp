#include "ui/common/buttons.h"

#include "ui/common/classicstyle.h"

#include <QPushButton>

namespace tintwise {

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

} // namespace tintwise

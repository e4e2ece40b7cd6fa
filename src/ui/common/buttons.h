#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace tintwise {

/// A push button whose face colour shows (the design's graphical buttons).
QPushButton *makeButton(QWidget *parent,
                        const QString &name,
                        const QRect &geometry,
                        const QString &caption,
                        const QFont &font,
                        const QColor &face = {});

} // namespace tintwise

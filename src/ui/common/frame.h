#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>

namespace tintwise {

/// A frame or panel: fills its rectangle with its background and draws the requested border and caption.
class Frame : public QFrame
{
    Q_OBJECT
public:
    enum class Border
    {
        None,
        Flat,     // one-pixel line
        Standard, // etched line
    };
    Frame(QWidget *parent,
          const QString &name,
          const QRect &geometry,
          const QColor &background,
          Border border = Border::None,
          const QString &caption = {});

    void setCaptionFont(const QFont &font);
    void setCaptionColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
    Border m_border;
    QString m_caption;
    QFont m_captionFont;
    QColor m_captionColour;
};

} // namespace tintwise

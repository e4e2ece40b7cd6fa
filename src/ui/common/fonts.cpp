#include "ui/common/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tintwise {

QFont designFont(const QString &face, double points, bool bold, bool underline)
{
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont verdana(double points, bool bold, bool underline)
{
    return designFont(QStringLiteral("Verdana"), points, bold, underline);
}

void registerFontSubstitutes()
{
    // Verdana and MS Sans Serif are not free; DejaVu Sans shares Verdana's wide metrics and
    // Liberation Sans is close to the dialog font.
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("Verdana")))
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    if (!families.contains(QStringLiteral("MS Sans Serif")))
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace tintwise

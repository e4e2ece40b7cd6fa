#include "system/settingscodec.h"

namespace tintwise {
namespace {

QString shifted(const QString &text, int offset)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int code = c.unicode();
        // The store works in a single-byte code page: characters outside it have no code to shift.
        if (code > 255)
            continue;
        const int moved = code + offset;
        if (moved >= 0 && moved <= 255)
            result.append(QChar(moved));
    }
    return result;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString EncodeSettingText(const QString &text)
{
    return shifted(text, kSettingOffset);
}

QString DecodeSettingText(const QString &text)
{
    return shifted(text, -kSettingOffset);
}

QString settingDateText(QDate date)
{
    if (!date.isValid() || date.year() < 0 || date.year() > 9999)
        return {};
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

std::optional<QDate> settingDate(const QString &text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return std::nullopt;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(text[i]))
            return std::nullopt;
    const QDate date(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace tintwise

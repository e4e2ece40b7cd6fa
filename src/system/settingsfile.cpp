#include "system/settingsfile.h"

namespace tintwise {
namespace {

constexpr char kSectionLine[] = "[Settings]\n";

bool isHexDigit(char16_t u)
{
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Control characters written as a backslash and a letter, both ways.
struct LetterEscape
{
    char16_t character;
    char letter;
};
constexpr LetterEscape kLetterEscapes[] = {
    {u'\a', 'a'}, {u'\b', 'b'}, {u'\f', 'f'}, {u'\n', 'n'}, {u'\r', 'r'}, {u'\t', 't'}, {u'\v', 'v'},
};

const LetterEscape *letterEscapeOf(char16_t character)
{
    for (const LetterEscape &escape : kLetterEscapes)
        if (escape.character == character)
            return &escape;
    return nullptr;
}

const LetterEscape *letterEscapeFor(char letter)
{
    for (const LetterEscape &escape : kLetterEscapes)
        if (escape.letter == letter)
            return &escape;
    return nullptr;
}

// A text value as the platform's settings files write it: C-style escapes, other characters in UTF-8, and the
// whole in double quotes when it holds ';', ',' or '=' or starts or ends with a space.
std::optional<QByteArray> escapedValue(const QString &value)
{
    QString text = value;
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@')); // a single '@' would start a typed value
    QByteArray out;
    bool quote = false;
    bool escapeNextIfHexDigit = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0 || c.isSurrogate())
            return std::nullopt;
        if (u == ';' || u == ',' || u == '=')
            quote = true;
        if (escapeNextIfHexDigit && isHexDigit(u)) {
            out += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        if (const LetterEscape *escape = letterEscapeOf(u)) {
            out += '\\';
            out += escape->letter;
            continue;
        }
        switch (u) {
        case '"':
        case '\\':
            out += '\\';
            out += char(u);
            break;
        default:
            if (u <= 0x1f) {
                out += "\\x" + QByteArray::number(u, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    if (quote || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The inverse of escapedValue for what it writes. Other input gives some text or none; the caller keeps it only
// when writing it back gives the very same bytes.
std::optional<QString> unescapedValue(QByteArrayView bytes)
{
    QString text;
    QByteArray plain; // UTF-8 bytes not yet decoded
    const auto flush = [&] {
        text += QString::fromUtf8(plain);
        plain.clear();
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes.at(i);
        if (b == '"')
            continue;
        if (b != '\\') {
            plain += b;
            continue;
        }
        if (++i == bytes.size())
            return std::nullopt;
        flush();
        const char e = bytes.at(i);
        if (const LetterEscape *escape = letterEscapeFor(e)) {
            text += QChar(escape->character);
            continue;
        }
        switch (e) {
        case '"':
        case '\\':
            text += QLatin1Char(e);
            break;
        case 'x': {
            uint code = 0;
            qsizetype digits = 0;
            while (i + 1 < bytes.size() && isHexDigit(char16_t(uchar(bytes.at(i + 1)))) && digits < 4) {
                code = code * 16 + uint(QByteArray(1, bytes.at(++i)).toUInt(nullptr, 16));
                ++digits;
            }
            if (digits == 0)
                return std::nullopt;
            text += QChar(char16_t(code));
            break;
        }
        default:
            return std::nullopt;
        }
    }
    flush();
    if (text.startsWith(QLatin1String("@@")))
        text.remove(0, 1);
    return text;
}

} // namespace

bool isValidSettingsKey(const QString &key)
{
    if (key.isEmpty())
        return false;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                           u == '-' || u == '.';
        if (!plain)
            return false;
    }
    return true;
}

QByteArray settingsFileContent(const QString &key, const QString &value)
{
    const std::optional<QByteArray> escaped = escapedValue(value);
    if (!isValidSettingsKey(key) || !escaped)
        return {};
    return kSectionLine + key.toLatin1() + '=' + *escaped + '\n';
}

std::optional<std::optional<SettingsEntry>> parseSettingsFile(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return std::optional<SettingsEntry>();
    if (!bytes.startsWith(kSectionLine) || !bytes.endsWith('\n'))
        return std::nullopt;
    const QByteArray line = bytes.mid(qsizetype(sizeof kSectionLine) - 1).chopped(1);
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const QString key = QString::fromLatin1(line.left(equals));
    const std::optional<QString> value = unescapedValue(QByteArrayView(line).sliced(equals + 1));
    if (!value || settingsFileContent(key, *value) != bytes)
        return std::nullopt;
    return std::optional<SettingsEntry>(SettingsEntry{key, *value});
}

} // namespace tintwise

#include "reading/catalogue.h"

#include <QFile>

namespace tintwise {
namespace {

QString loadText(int index)
{
    QFile file(QStringLiteral(":/catalogue/colour%1.txt").arg(index, 2, 10, QLatin1Char('0')));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

std::array<WheelColour, kColourCount> buildWheel()
{
    struct Fixed
    {
        const char *name;
        std::uint32_t colour;
    };
    static constexpr Fixed fixed[kColourCount] = {
        {"Red", 0xFF0000},       {"Pink", 0xFF80FF},      {"Purple", 0xA020F0}, {"Light Blue", 0xADD8E6},
        {"Dark Blue", 0x000080}, {"Turquoise", 0x00F5FF}, {"Green", 0x00FF00},  {"Olive Green", 0x556B2F},
        {"Orange", 0xFF8000},    {"Yellow", 0xFFFF00},    {"Gold", 0xFFD700},   {"Peach", 0xFFDAB9},
        {"Grey", 0x696969},      {"Brown", 0xA52A2A},     {"White", 0xFFFFFF},  {"Black", 0x000000},
    };
    std::array<WheelColour, kColourCount> wheel;
    for (int i = 0; i < kColourCount; ++i)
        wheel[i] = WheelColour{QString::fromLatin1(fixed[i].name), 0xFF000000u | fixed[i].colour};
    return wheel;
}

std::array<ColourEntry, kCatalogueSlots> buildCatalogue()
{
    const auto &wheel = wheelColours();
    std::array<ColourEntry, kCatalogueSlots> table;
    for (int i = 0; i < kColourCount; ++i)
        table[i] = ColourEntry{wheel[i].name, loadText(i), wheel[i].colour};
    return table;
}

bool validIndex(std::int16_t index)
{
    return index >= 0 && index < kCatalogueSlots;
}

} // namespace

const std::array<WheelColour, kColourCount> &wheelColours()
{
    static const auto wheel = buildWheel();
    return wheel;
}

const std::array<ColourEntry, kCatalogueSlots> &colourCatalogue()
{
    static const auto table = buildCatalogue();
    return table;
}

FillResult FillSelectionRecord(SelectionRecord &record)
{
    const auto &table = colourCatalogue();
    struct Copy
    {
        std::int16_t SelectionRecord::*index;
        QString SelectionRecord::*field;
        QString ColourEntry::*source;
    };
    static constexpr Copy copies[] = {
        {&SelectionRecord::DayColorIndex, &SelectionRecord::DayColorName, &ColourEntry::name},
        {&SelectionRecord::ProblemColorIndex, &SelectionRecord::ProblemColorName, &ColourEntry::name},
        {&SelectionRecord::SolutionColorIndex, &SelectionRecord::SolutionColorName, &ColourEntry::name},
        {&SelectionRecord::DayColorIndex, &SelectionRecord::DayColorText, &ColourEntry::text},
        {&SelectionRecord::ProblemColorIndex, &SelectionRecord::ProblemColorText, &ColourEntry::text},
        {&SelectionRecord::SolutionColorIndex, &SelectionRecord::SolutionColorText, &ColourEntry::text},
    };
    for (const Copy &copy : copies) {
        const std::int16_t index = record.*copy.index;
        if (!validIndex(index))
            return FillResult::IndexOutOfRange;
        record.*copy.field = table[index].*copy.source;
    }
    return FillResult::Ok;
}

} // namespace tintwise

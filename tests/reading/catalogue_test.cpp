#include "reading/catalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace tintwise {
namespace {

TEST(Catalogue, SixteenEntriesInWheelOrderEachWithATextOfItsOwnAndAnEmptySeventeenth)
{
    // Name, display colour, text length and opening.
    const std::tuple<const char *, std::uint32_t, int, const char *> expected[kColourCount] = {
        {"Red", 0xFF0000, 656, "In many traditions,"},    {"Pink", 0xFF80FF, 655, "This color was accredited"},
        {"Purple", 0xA020F0, 684, "Purple was one"},      {"Light Blue", 0xADD8E6, 638, "Ancient Egyptians revered"},
        {"Dark Blue", 0x000080, 178, "You need to have"}, {"Turquoise", 0x00F5FF, 237, "You need to be"},
        {"Green", 0x00FF00, 694, "Green is the"},         {"Olive Green", 0x556B2F, 158, "You need to think"},
        {"Orange", 0xFF8000, 610, "Known all-over the"},  {"Yellow", 0xFFFF00, 699, "Yellow represents the"},
        {"Gold", 0xFFD700, 185, "You need to relax"},     {"Peach", 0xFFDAB9, 213, "You seek happiness"},
        {"Grey", 0x696969, 589, "This color stands"},     {"Brown", 0xA52A2A, 669, "This color signifies"},
        {"White", 0xFFFFFF, 586, "The combination of"},   {"Black", 0x000000, 551, "One of the most"},
    };
    const auto &table = colourCatalogue();
    std::set<QString> texts;
    for (int i = 0; i < kColourCount; ++i) {
        SCOPED_TRACE(i);
        const auto &[name, colour, length, opening] = expected[i];
        const QString &text = table[i].text;
        EXPECT_EQ(table[i].name, QLatin1String(name));
        EXPECT_EQ(table[i].colour, 0xFF000000u | colour);
        EXPECT_EQ(text.size(), length);
        EXPECT_TRUE(text.startsWith(QLatin1String(opening)));
        texts.insert(text);
        // Shown as stored: 9 and 12 end with one space, 1 and 14 hold one doubled space, purple has no full stop.
        EXPECT_EQ(text.endsWith(QLatin1Char(' ')), i == 9 || i == 12);
        EXPECT_EQ(text.count(QLatin1String("  ")), i == 1 || i == 14 ? 1 : 0);
        EXPECT_EQ(text.trimmed().endsWith(QLatin1Char('.')), i != 2);
        for (QChar c : text)
            ASSERT_TRUE(c.unicode() >= 32 && c.unicode() < 127) << "plain ASCII, code " << int(c.unicode());
    }
    EXPECT_EQ(texts.size(), size_t(kColourCount));
    ASSERT_EQ(table.size(), size_t(17));
    EXPECT_TRUE(table[16].name.isEmpty() && table[16].text.isEmpty());
}

TEST(FillSelectionRecord, CopiesInOrderAndStopsAtTheFirstBadIndexKeepingEarlierCopies)
{
    const auto &table = colourCatalogue();
    const struct
    {
        std::int16_t day, problem, solution;
        int copiesMade; // of the six, in order: three names, then three texts
    } rows[] = {
        {15, 0, 16, 6}, {9, 9, 9, 6}, {3, 17, 2, 1}, {3, 4, -1, 2}, {-1, 4, 5, 0}, {3, 4, 32767, 2}, {-32768, 0, 0, 0},
    };
    const QString old = QStringLiteral("old");
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.day << "," << row.problem << "," << row.solution);
        SelectionRecord r{0, row.day, row.problem, row.solution, old, old, old, old, old, old};
        EXPECT_EQ(FillSelectionRecord(r), row.copiesMade == 6 ? FillResult::Ok : FillResult::IndexOutOfRange);
        const QString fields[] = {r.DayColorName, r.ProblemColorName, r.SolutionColorName,
                                  r.DayColorText, r.ProblemColorText, r.SolutionColorText};
        const std::int16_t indices[] = {row.day, row.problem, row.solution};
        for (int f = 0; f < 6; ++f) {
            const ColourEntry *entry = f < row.copiesMade ? &table[size_t(indices[f % 3])] : nullptr;
            EXPECT_EQ(fields[f], !entry ? old : f < 3 ? entry->name : entry->text) << "field " << f;
        }
    }
}

} // namespace
} // namespace tintwise

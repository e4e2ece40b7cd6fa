#include "reading/catalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace tintwise {
namespace {

struct Expected
{
    const char *name;
    std::uint32_t colour;
    int length;
    const char *opening;
    bool advice;
};

const Expected kExpected[kColourCount] = {
    {"Red", 0xFF0000, 656,
     "In many traditions, red is renowned to be the color of passion, life-force, power and energy.", false},
    {"Pink", 0xFF80FF, 655, "This color was accredited in medieval Europe as the hue of aristocracy and elegance.",
     false},
    {"Purple", 0xA020F0, 684, "Purple was one of the most sought for colors for its uniqueness and rarity.", false},
    {"Light Blue", 0xADD8E6, 638,
     "Ancient Egyptians revered the blue believing it to be the color of truth and knowledge.", false},
    {"Dark Blue", 0x000080, 178, "You need to have time and space for yourself.", true},
    {"Turquoise", 0x00F5FF, 237, "You need to be more expressive verbally.", true},
    {"Green", 0x00FF00, 694,
     "Green is the hue of growth, the renewing effect of the cyclic order of the season and fertility.", false},
    {"Olive Green", 0x556B2F, 158, "You need to think again whether you have taken the right decision.", true},
    {"Orange", 0xFF8000, 610,
     "Known all-over the world as the color of vitality and the flame of sun, orange is held in high esteem for "
     "being the juncture of body and soul in symbolic level.",
     false},
    {"Yellow", 0xFFFF00, 699, "Yellow represents the fire of sun and its purity.", false},
    {"Gold", 0xFFD700, 185, "You need to relax and enjoy life.", true},
    {"Peach", 0xFFDAB9, 213, "You seek happiness and solace.", true},
    {"Grey", 0x696969, 589, "This color stands midway between black and white.", false},
    {"Brown", 0xA52A2A, 669,
     "This color signifies earthly qualities, wood and all other tangible objects that we see around us everyday.",
     false},
    {"White", 0xFFFFFF, 586,
     "The combination of all the seven colors in rainbow, white is held in high esteem as the color of purity, "
     "authenticity and peace.",
     false},
    {"Black", 0x000000, 551, "One of the most dreaded colors, black was seen as a symbol of death and maturity.",
     false},
};

TEST(Catalogue, EntriesHaveTheirNamesColoursOpeningsAndLengths)
{
    const auto &table = colourCatalogue();
    std::set<QString> texts;
    for (int i = 0; i < kColourCount; ++i) {
        SCOPED_TRACE(i);
        const Expected &e = kExpected[i];
        EXPECT_EQ(table[i].name, QLatin1String(e.name));
        EXPECT_EQ(table[i].colour, 0xFF000000u | e.colour);
        EXPECT_EQ(table[i].text.size(), e.length);
        EXPECT_TRUE(table[i].text.startsWith(QLatin1String(e.opening)));
        texts.insert(table[i].text);
        if (e.advice) {
            EXPECT_LE(table[i].text.size(), 237);
        }
    }
    EXPECT_EQ(texts.size(), size_t(kColourCount)) << "every colour has a text of its own";
}

TEST(Catalogue, TextsArePlainAsciiProseWithTheirParticulars)
{
    const auto &table = colourCatalogue();
    for (int i = 0; i < kColourCount; ++i) {
        SCOPED_TRACE(i);
        const QString &text = table[i].text;
        for (QChar c : text)
            EXPECT_TRUE(c.unicode() >= 32 && c.unicode() < 127) << "character " << int(c.unicode());
        const bool endsWithSpace = i == 9 || i == 12;
        EXPECT_EQ(text.endsWith(QLatin1Char(' ')), endsWithSpace);
        if (endsWithSpace) {
            EXPECT_FALSE(text.endsWith(QLatin1String("  ")));
        }
        const bool doubled = i == 1 || i == 14;
        EXPECT_EQ(text.count(QLatin1String("  ")), doubled ? 1 : 0);
        if (i == 2) {
            EXPECT_TRUE(text.back().isLetter()) << "purple ends without a full stop";
        } else {
            EXPECT_TRUE(text.trimmed().endsWith(QLatin1Char('.')));
        }
    }
}

TEST(Catalogue, SeventeenthSlotIsEmpty)
{
    const auto &table = colourCatalogue();
    ASSERT_EQ(table.size(), size_t(17));
    EXPECT_TRUE(table[16].name.isEmpty());
    EXPECT_TRUE(table[16].text.isEmpty());
}

SelectionRecord recordWith(std::int16_t day, std::int16_t problem, std::int16_t solution)
{
    SelectionRecord record;
    record.DayColorIndex = day;
    record.ProblemColorIndex = problem;
    record.SolutionColorIndex = solution;
    return record;
}

TEST(FillSelectionRecord, CopiesNamesAndTextsOfTheThreeIndices)
{
    const auto &table = colourCatalogue();
    SelectionRecord record = recordWith(15, 0, 16);
    EXPECT_EQ(FillSelectionRecord(record), FillResult::Ok);
    EXPECT_EQ(record.DayColorName, QStringLiteral("Black"));
    EXPECT_EQ(record.ProblemColorName, QStringLiteral("Red"));
    EXPECT_EQ(record.SolutionColorName, QString());
    EXPECT_EQ(record.DayColorText, table[15].text);
    EXPECT_EQ(record.ProblemColorText, table[0].text);
    EXPECT_EQ(record.SolutionColorText, QString());

    SelectionRecord same = recordWith(9, 9, 9);
    EXPECT_EQ(FillSelectionRecord(same), FillResult::Ok);
    EXPECT_EQ(same.DayColorName, same.SolutionColorName);
    EXPECT_EQ(same.ProblemColorText, table[9].text) << "trailing space kept";
}

TEST(FillSelectionRecord, StopsAtTheFirstCopyWithABadIndexKeepingEarlierCopies)
{
    struct Case
    {
        std::int16_t day, problem, solution;
        int copiesMade; // of the six, in order
    };
    const Case cases[] = {
        {3, 17, 2, 1}, {3, 4, -1, 2}, {-1, 4, 5, 0}, {3, 4, 32767, 2}, {-32768, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.day << "," << c.problem << "," << c.solution);
        SelectionRecord record = recordWith(c.day, c.problem, c.solution);
        const QString old = QStringLiteral("old");
        record.DayColorName = record.ProblemColorName = record.SolutionColorName = old;
        record.DayColorText = record.ProblemColorText = record.SolutionColorText = old;
        EXPECT_EQ(FillSelectionRecord(record), FillResult::IndexOutOfRange);
        const QString *fields[] = {&record.DayColorName, &record.ProblemColorName, &record.SolutionColorName,
                                   &record.DayColorText, &record.ProblemColorText, &record.SolutionColorText};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(*fields[i] != old, i < c.copiesMade) << "field " << i;
    }
}

} // namespace
} // namespace tintwise

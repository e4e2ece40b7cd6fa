#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace tintwise {

struct ColourEntry
{
    QString name;
    QString text;
    std::uint32_t colour = 0; // 0xAARRGGBB, opaque
};

/// Sixteen colours in wheel order plus the never-filled slot 16 (empty name and text).
constexpr int kColourCount = 16;
constexpr int kCatalogueSlots = 17;

/// The whole catalogue; its first use reads the sixteen interpretation texts.
const std::array<ColourEntry, kCatalogueSlots> &colourCatalogue();

struct WheelColour
{
    QString name;
    std::uint32_t colour = 0; // 0xAARRGGBB, opaque
};

/// Names and display colours of the sixteen colours in wheel order, the same as the catalogue's, without
/// reading any interpretation text: what the colour wheel needs at start-up.
const std::array<WheelColour, kColourCount> &wheelColours();

/// The outcome of the latest draw, shared by the windows.
struct SelectionRecord
{
    std::int16_t ChosenNumber = 0;
    std::int16_t DayColorIndex = 0;
    std::int16_t ProblemColorIndex = 0;
    std::int16_t SolutionColorIndex = 0;
    QString DayColorName;
    QString ProblemColorName;
    QString SolutionColorName;
    QString DayColorText;
    QString ProblemColorText;
    QString SolutionColorText;
};

enum class FillResult
{
    Ok,
    IndexOutOfRange,
};

/**
 * Copies the names and texts of the three selected entries into the record, in the order day, problem and
 * solution name, then day, problem and solution text. An index outside 0..16 stops it at the first copy that
 * uses it and returns IndexOutOfRange; copies made before stand, later fields keep their old values.
 */
FillResult FillSelectionRecord(SelectionRecord &record);

} // namespace tintwise

#pragma once

namespace tintwise {

/// Lets screen readers see the hand-drawn clickable controls for what they are: a link label as a link named
/// by its text, a picture box as its accessible role, each pressed by the press action. Every such control
/// calls it on construction, before the first screen reader asks: the toolkit keeps the first answer.
void installHandDrawnAccessibility();

} // namespace tintwise

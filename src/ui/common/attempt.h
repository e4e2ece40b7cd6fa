#pragma once

#include <functional>

namespace tintwise {

/// Runs one step of a sequence on its own: a step that fails is skipped and the next one runs.
void attempt(const std::function<void()> &step);

} // namespace tintwise

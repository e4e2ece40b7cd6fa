#include "ui/common/attempt.h"

namespace tintwise {

void attempt(const std::function<void()> &step)
{
    try {
        step();
    } catch (...) {
        // Failures are never reported; the sequence goes on.
    }
}

} // namespace tintwise

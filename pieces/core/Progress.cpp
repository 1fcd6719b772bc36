#include "Progress.h"

#include <cmath>

namespace scx::pieces {

int ProgressStep(std::int64_t pieceCount) {
    if (pieceCount <= 0 || pieceCount > kProgressEnd) {
        return 0;
    }
    return static_cast<int>(kProgressEnd / pieceCount);
}

int CaptionPercent(std::int64_t pieceCount, std::int64_t piece) {
    if (pieceCount < 1) {
        return 0;
    }
    const float unit = static_cast<float>(100.0 / static_cast<double>(pieceCount));
    return static_cast<int>(std::trunc(static_cast<double>(piece) * static_cast<double>(unit)));
}

std::string ProgressCaption(int percent) {
    return std::string(kIdleCaption) + " (" + std::to_string(percent) + "%)";
}

}  // namespace scx::pieces

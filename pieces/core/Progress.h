#pragma once
// How split and join show their progress over N pieces.
//
// The bar (range 0 to 100) starts at 0 with a step of 100/N truncated, advances one step
// per piece and is set to 100 at the end; its step is 0 when N is 0 or above 100, so such
// runs keep the bar at 0 until the end.
//
// The caption reads "Scindarex (P%)" for piece k, where P = trunc(k * c) computed in double
// and c = 100/N rounded to a float; the float rounding is why N = 3 ends at 99:
// N = 3 gives 33, 66, 99; N = 6 gives 16, 33, 49, 66, 83, 99. At the end of a split and
// of an own-format join it reads "Scindarex(100%)", without the blank; at rest "Scindarex".

#include <cstdint>
#include <string>
#include <string_view>

namespace scx::pieces {

inline constexpr std::string_view kIdleCaption = "Scindarex";
inline constexpr std::string_view kFinishedCaption = "Scindarex(100%)";
inline constexpr int kProgressEnd = 100;

int ProgressStep(std::int64_t pieceCount);

// P for piece `piece` of `pieceCount`; 0 when pieceCount is below 1.
int CaptionPercent(std::int64_t pieceCount, std::int64_t piece);

// "Scindarex (" + percent + "%)".
std::string ProgressCaption(int percent);

}  // namespace scx::pieces

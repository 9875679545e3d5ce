#pragma once

namespace tess {

// The longest a run waits at once on something outside it (a silent source, a piece slow to take
// its bytes) before its host is given a turn: short enough for a stop to feel immediate, long
// enough that the turns cost nothing.
inline constexpr int kWaitSliceMs = 10;

}  // namespace tess

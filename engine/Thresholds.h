#pragma once

namespace tess {

// The thresholds a run uses when the one given is worth 0, in the window and on the command line.
inline constexpr double kDefaultLinesPerPiece = 3000;
inline constexpr double kDefaultThousandsPerPiece = 1024;
// The size is given in thousands of characters: 1000, not 1024.
inline constexpr double kCharactersPerThousand = 1000;

}  // namespace tess

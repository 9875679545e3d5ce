#pragma once

#include <cstdint>

namespace tess {

// How far a split run has come. Bytes written count the line ends, and once the run has ended
// the file marks; pieces count the files this run has opened, and once it has ended, the ones
// it kept. After a failed run, pieces, lines and bytes count only what reached the pieces as
// whole lines.
struct RunProgress {
    std::uint64_t sourceBytes = 0;  // size of the source when it was opened
    std::uint64_t bytesRead = 0;
    std::uint64_t piecesWritten = 0;
    std::uint64_t linesKept = 0;
    std::uint64_t linesDropped = 0;
    std::uint64_t bytesWritten = 0;
};

}  // namespace tess

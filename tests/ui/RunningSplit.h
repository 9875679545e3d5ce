#pragma once

#include <functional>
#include <string>

#include "WindowTestSupport.h"
#include "support/TempDir.h"

namespace tess::testing {

// A window set up for a line-mode run of a generated source large enough to be caught in the
// middle: 128 MiB, so that a run takes a good fraction of a second while its first pass through
// the event loop comes after about 10 ms.
class RunningSplit : public WindowTest {
protected:
    static constexpr int kLineWidth = 64;
    static constexpr int kLines = (128 << 20) / kLineWidth;
    static constexpr int kLinesPerPiece = 3000;

    void SetUp() override;

    // Where the run's pieces go, and their base name.
    std::string out() const { return dir.path() + "out/"; }
    static constexpr const char* kBase = "big";

    // Starts a run and calls `during` from the run's first pass through the event loop; the test
    // fails when there was none.
    void startAndThen(std::function<void()> during);

    // The first `kept` numbered lines are in their pieces, whole and in order, and nothing else is.
    void expectPiecesHoldTheFirstLines(int kept);

    TempDir dir;
};

}  // namespace tess::testing

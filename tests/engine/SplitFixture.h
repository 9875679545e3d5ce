#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/SplitRun.h"
#include "engine/RecordingHost.h"
#include "support/TempDir.h"

namespace tess::testing {

// A source file "book.txt" in a temporary folder, pieces going to its "out/" folder.
class SplitFixture : public ::testing::Test {
protected:
    SplitFixture()
    {
        request.sourceText = dir.path() + "book.txt";
        request.destinationText = out();
    }

    std::string out() const { return dir.path() + "out/"; }
    std::string piece(int number) const { return out() + "book" + std::to_string(number) + ".txt"; }
    // The piece of that number in the request's destination, wherever a test has moved it.
    std::string pieceOfRequest(std::size_t number) const
    {
        return request.destinationText + "book" + std::to_string(number) + ".txt";
    }
    void source(const std::string& bytes) { WriteFile(request.sourceText, bytes); }

    // Reads and writes in buffers of `block` bytes, unless `writeBuffer` says otherwise.
    RunResult split(SplitMode mode, double threshold, std::size_t block = 1 << 20, std::size_t writeBuffer = 0)
    {
        request.mode = mode;
        request.threshold = threshold;
        request.readBlock = block;
        request.writeBuffer = writeBuffer != 0 ? writeBuffer : block;
        return RunSplit(host, request);
    }

    TempDir dir;
    SplitRequest request;
    RecordingHost host;
};

}  // namespace tess::testing

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
        host.source = dir.path() + "book.txt";
        host.destination = out();
    }

    std::string out() const { return dir.path() + "out/"; }
    std::string piece(int number) const { return out() + "book" + std::to_string(number) + ".txt"; }
    void source(const std::string& bytes) { WriteFile(host.source, bytes); }

    RunResult split(SplitMode mode, double threshold, std::size_t block = 1 << 20)
    {
        SplitSettings settings;
        settings.mode = mode;
        settings.threshold = threshold;
        settings.readBlock = block;
        settings.writeBuffer = block;
        return RunSplit(host, settings);
    }

    TempDir dir;
    RecordingHost host;
};

}  // namespace tess::testing

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "runtime/LineTrim.h"
#include "runtime/Text.h"

namespace tess {
namespace {

// The vector trims against the plain ones, on texts of spaces, other bytes and the bytes of a
// space unit in the wrong order, of every length around the vector width, with padding of the
// same bytes on either side, so that a step that strays past the text's ends shows.
TEST(LineTrim, PaddedTrimsAgreeWithThePlainOnes)
{
    std::mt19937 random(11);
    const std::string alphabet(" \0a\x81 ", 5);
    auto randomBytes = [&](std::size_t n) {
        std::string bytes;
        for (std::size_t i = 0; i < n; ++i)
            bytes += alphabet[random() % alphabet.size()];
        return bytes;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::size_t size = random() % 40;
        const std::string padded = randomBytes(16) + randomBytes(size) + randomBytes(128);
        const std::string_view text(padded.data() + 16, size);
        auto offsets = [&](std::string_view trimmed) {
            return std::make_pair(trimmed.data() - text.data(), trimmed.size());
        };
        ASSERT_EQ(offsets(TrimPaddedSpaces(text)), offsets(TrimSpaces(text))) << "round " << round;
        for (const bool bigEndian : {false, true})
            ASSERT_EQ(offsets(TrimPaddedSpaceUnits(text, bigEndian)), offsets(TrimSpaceUnits(text, bigEndian)))
                << "round " << round << (bigEndian ? ", big-endian" : ", little-endian");
    }
}

}  // namespace
}  // namespace tess

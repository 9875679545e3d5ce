// Random sources at random thresholds and buffer sizes: whatever the input, the pieces hold
// exactly the trimmed non-blank lines in order, each closed by the line that reached the
// threshold, and the source is left as it was.

#include "engine/SplitFixture.h"

#include <random>
#include <vector>

#include "runtime/Text.h"
#include "support/Cp936Reference.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::SplitFixture;

std::string RandomSource(std::mt19937& random)
{
    static const std::vector<std::string> kParts = {
        "a", "word", "  ", " ", "\t", std::string(1, '\0'), "\r", "\n", "\r\n", "\r\n", "\r\n",
        "\xD6\xD0\xCE\xC4",  // 中文
        "\xA1\xA1",          // ideographic space
        "\x81", "\xFF", "\x80", "\x81\x7F",  // bytes that do not decode
        "\x1A",
    };
    std::string text;
    const int parts = static_cast<int>(random() % 200);
    for (int i = 0; i < parts; ++i) {
        if (random() % 50 == 0)
            text += std::string(100 + random() % 200, "xy\xB0"[random() % 3]);  // longer than the buffers
        else
            text += kParts[random() % kParts.size()];
    }
    return text;
}

// The lines the split must keep: cut at CR, CR LF and LF, trimmed, the empty ones left out.
std::vector<std::string> KeptLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            current += c;
            open = true;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(current);
        current.clear();
        open = false;
    }
    if (open)
        lines.push_back(current);
    std::vector<std::string> kept;
    for (const auto& line : lines)
        if (!TrimSpaces(line).empty())
            kept.emplace_back(TrimSpaces(line));
    return kept;
}

std::vector<std::string> ExpectedPieces(const std::vector<std::string>& lines, SplitMode mode, double threshold)
{
    std::vector<std::string> pieces;
    std::string piece;
    double fill = 0;
    for (const auto& line : lines) {
        piece += line + "\r\n";
        fill += mode == SplitMode::ByLineCount ? 1 : static_cast<double>(testing::ReferenceCp936Chars(line));
        if (fill >= threshold) {
            pieces.push_back(piece);
            piece.clear();
            fill = 0;
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

class SplitProperty : public SplitFixture {};

TEST_F(SplitProperty, PiecesHoldExactlyTheKeptLinesEachWithinItsThreshold)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomSource(random);
        source(text);
        const SplitMode mode = random() % 2 ? SplitMode::ByLineCount : SplitMode::BySize;
        const double threshold = 1 + random() % (mode == SplitMode::ByLineCount ? 8 : 40);
        const std::size_t block = 1 + random() % 64;
        request.destinationText = dir.path() + "round" + std::to_string(round) + "/";

        const RunResult result = split(mode, threshold, block);
        ASSERT_EQ(result.outcome, RunOutcome::Completed) << "round " << round;

        const auto expected = ExpectedPieces(KeptLines(text), mode, threshold);
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(ReadFile(request.destinationText + "book" + std::to_string(i + 1) + ".txt"), expected[i])
                << "round " << round << ", piece " << i + 1;
        EXPECT_FALSE(Exists(request.destinationText + "book" + std::to_string(expected.size() + 1) + ".txt"));
        EXPECT_EQ(result.progress.piecesWritten, expected.size());
        ASSERT_EQ(ReadFile(request.sourceText), text) << "the source changed in round " << round;
    }
}

}  // namespace
}  // namespace tess

// Random sources in every encoding at random thresholds and buffer sizes: whatever the input,
// the pieces hold exactly the trimmed non-blank lines in order, each closed by the line that
// reached the threshold, each starting with the source's mark when it has one, and the source
// is left as it was.

#include "engine/SplitFixture.h"

#include <random>
#include <vector>

#include "support/CharReference.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ReferenceChars;
using testing::SplitFixture;
using Units = std::vector<unsigned>;

// Code units, rich in line ends, spaces, characters of several units and ill-formed ones.
Units RandomUnits(std::mt19937& random, Encoding encoding)
{
    static const std::vector<Units> kBytes = {
        {'a'}, {'w', 'o', 'r', 'd'}, {' ', ' '}, {' '}, {'\t'}, {0}, {'\r'}, {'\n'}, {'\r', '\n'}, {'\r', '\n'},
        {0xD6, 0xD0, 0xCE, 0xC4}, {0xA1, 0xA1}, {0x95, 0x32, 0x82, 0x36}, {0x81}, {0xFF}, {0x80}, {0x81, 0x7F},
        {0xE4, 0xB8, 0xAD}, {0xF0, 0x9F, 0x98, 0x80}, {0xE4, 0xB8}, {0xBF},
    };
    static const std::vector<Units> kUnits16 = {
        {'a'}, {'w', 'o', 'r', 'd'}, {' ', ' '}, {' '}, {'\t'}, {0}, {'\r'}, {'\n'}, {'\r', '\n'}, {'\r', '\n'},
        {0x4E0A, 0x4E0D}, {0x3000}, {0xD840, 0xDC00}, {0xD840}, {0xDC00}, {0x0D20}, {0x200A}, {0x2000},
    };
    const auto& parts = UnitBytes(encoding) == 1 ? kBytes : kUnits16;
    Units units;
    const int count = static_cast<int>(random() % 200);
    for (int i = 0; i < count; ++i) {
        if (random() % 50 == 0)
            units.insert(units.end(), 100 + random() % 200, random() % 2 ? 'x' : ' ');  // longer than the buffers
        else {
            const Units& part = parts[random() % parts.size()];
            units.insert(units.end(), part.begin(), part.end());
        }
    }
    return units;
}

std::string Bytes(const Units& units, Encoding encoding)
{
    std::string bytes;
    for (const unsigned u : units) {
        if (u > 0xFFFF)
            bytes += static_cast<char>(u & 0xFF);  // a lone byte, after a 16-bit source's last unit
        else if (encoding == Encoding::Utf16LE)
            bytes += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        else if (encoding == Encoding::Utf16BE)
            bytes += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
        else
            bytes += static_cast<char>(u);
    }
    return bytes;
}

// The lines the split must keep: cut at CR, CR LF and LF units, trimmed of space units, the
// empty ones left out and counted in `dropped`.
std::vector<Units> KeptLines(const Units& units, std::uint64_t& dropped)
{
    std::vector<Units> kept;
    dropped = 0;
    Units current;
    bool open = false;
    auto end = [&] {
        std::size_t begin = 0, stop = current.size();
        while (begin < stop && current[begin] == ' ')
            ++begin;
        while (stop > begin && current[stop - 1] == ' ')
            --stop;
        if (stop > begin)
            kept.emplace_back(current.begin() + begin, current.begin() + stop);
        else
            ++dropped;
        current.clear();
        open = false;
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] != '\r' && units[i] != '\n') {
            current.push_back(units[i]);
            open = true;
            continue;
        }
        if (units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n')
            ++i;
        end();
    }
    if (open)
        end();
    return kept;
}

std::vector<std::string> ExpectedPieces(const std::vector<Units>& lines, Encoding encoding, bool marked,
                                        SplitMode mode, double threshold)
{
    const std::string mark = marked ? std::string(MarkBytes(encoding)) : std::string();
    const std::string lineEnd(LineEndBytes(encoding));
    std::vector<std::string> pieces;
    std::string piece;
    double fill = 0;
    for (const auto& line : lines) {
        const std::string bytes = Bytes(line, encoding);
        piece += (piece.empty() ? mark : "") + bytes + lineEnd;
        fill += mode == SplitMode::ByLineCount ? 1 : static_cast<double>(ReferenceChars(encoding, bytes));
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
    int round = 0;
    for (const Encoding encoding : {Encoding::DoubleByte, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        for (int i = 0; i < 100; ++i, ++round) {
            Units units = RandomUnits(random, encoding);
            // It is part of the last line, and no line end or space, whatever its value.
            if (UnitBytes(encoding) == 2 && random() % 4 == 0)
                units.push_back(0x10000 | "\r\n x\0"[random() % 5]);
            const bool marked = encoding != Encoding::DoubleByte && random() % 2;
            const std::string text = (marked ? std::string(MarkBytes(encoding)) : "") + Bytes(units, encoding);
            source(text);
            const SplitMode mode = random() % 2 ? SplitMode::ByLineCount : SplitMode::BySize;
            const double threshold = (1 + random() % (mode == SplitMode::ByLineCount ? 8 : 40)) * (random() % 2 ? 1 : 9);
            // Blocks of a few bytes cut nearly every line; larger ones hold many whole lines.
            const std::size_t block = random() % 2 ? 2 + random() % 64 : 64 + random() % 2048;
            const std::size_t writeBuffer = random() % 4 ? 100 + random() % 4096 : block;
            request.encoding = encoding;
            request.mapSource = round % 2 == 0;  // the mapped file and the read one alike
            host.attentive = random() % 4 == 0;  // a line at a time, or many in a row
            host.raiseAttention();
            request.destinationText = dir.path() + "round" + std::to_string(round) + "/";

            const RunResult result = split(mode, threshold, block, writeBuffer);
            ASSERT_EQ(result.outcome, RunOutcome::Completed) << "round " << round;

            std::uint64_t dropped = 0;
            const std::vector<Units> kept = KeptLines(units, dropped);
            const auto expected = ExpectedPieces(kept, encoding, marked, mode, threshold);
            for (std::size_t p = 0; p < expected.size(); ++p)
                ASSERT_EQ(ReadFile(pieceOfRequest(p + 1)), expected[p])
                    << EncodingName(encoding) << ", round " << round << ", piece " << p + 1
                    << (request.mapSource ? ", mapped" : ", read");
            EXPECT_FALSE(Exists(pieceOfRequest(expected.size() + 1)));
            EXPECT_EQ(result.progress.piecesWritten, expected.size());
            EXPECT_EQ(result.progress.linesKept, kept.size());
            EXPECT_EQ(result.progress.linesDropped, dropped) << "round " << round;
            ASSERT_EQ(ReadFile(request.sourceText), text) << "the source changed in round " << round;
        }
    }
}

}  // namespace
}  // namespace tess

#include "RunningSplit.h"

#include <algorithm>
#include <fstream>

#include <QTimer>

namespace tess::testing {

void RunningSplit::SetUp()
{
    std::ofstream source(dir.path() + kBase + ".txt", std::ios::binary);
    constexpr int kBatch = 16384;
    for (int first = 1; first <= kLines; first += kBatch)
        source << NumberedLines(first, std::min(kBatch, kLines - first + 1), kLineWidth);
    ASSERT_TRUE(source.good());
    setText("txtPath", QString::fromStdString(dir.path() + kBase + ".txt"));
    setText("txtSave", QString::fromStdString(out()));
    setText("txtLineCount", QString::number(kLinesPerPiece));
}

void RunningSplit::startAndThen(std::function<void()> during)
{
    bool called = false;
    QTimer::singleShot(0, &window, [&] {
        called = true;
        during();
    });
    clickStart();
    ASSERT_TRUE(called) << "the run never handed control to the event loop";
}

void RunningSplit::expectPiecesHoldTheFirstLines(int kept)
{
    const std::vector<std::string> pieces = ReadPieces(out(), kBase);
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>((kept + kLinesPerPiece - 1) / kLinesPerPiece));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int first = static_cast<int>(i) * kLinesPerPiece + 1;
        const int count = std::min(kLinesPerPiece, kept - first + 1);
        ASSERT_EQ(pieces[i], NumberedLines(first, count, kLineWidth)) << "piece " << i + 1;
    }
}

}  // namespace tess::testing

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/RunControl.h"

namespace tess {
namespace {

// The window's controls as plain fields; the split procedures only record that they ran and
// call `duringSplit`, which stands for what the user does while a split runs.
class FakeWindow : public IRunWindow {
public:
    std::string start = "开始处理", elapsed = "0 秒", path, save, lineCount = "3000", size = "1024";
    bool lineMode = true;
    std::vector<std::string> messages;  // "16 错误 text"
    std::vector<std::string> splits;
    std::function<void()> duringSplit;

    std::string startCaption() const override { return start; }
    void setStartCaption(const std::string& caption) override { start = caption; }
    std::string elapsedCaption() const override { return elapsed; }
    void setElapsedCaption(const std::string& caption) override { elapsed = caption; }
    std::string sourceText() const override { return path; }
    std::string destinationText() const override { return save; }
    std::string lineCountText() const override { return lineCount; }
    void setLineCountText(const std::string& text) override { lineCount = text; }
    std::string sizeText() const override { return size; }
    void setSizeText(const std::string& text) override { size = text; }
    bool lineModeSelected() const override { return lineMode; }
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override
    {
        messages.push_back(std::to_string(static_cast<int>(style)) + " " + title + " " + text);
    }
    void SplitByLineCount() override { split("lines"); }
    void SplitBySize() override { split("size"); }

private:
    void split(const std::string& mode)
    {
        splits.push_back(mode);
        if (duringSplit)
            duringSplit();
    }
};

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest()
    {
        window.path = "/data/book.txt";
        window.save = "/out/";
        window.elapsed = "7 秒";
    }
    FakeWindow window;
    RunControl control{window};
};

TEST_F(RunControlTest, RefusesToStartWithoutASource)
{
    for (const char* path : {"", "   "}) {
        window.path = path;
        window.messages.clear();
        control.cmdStartClick();
        EXPECT_EQ(window.messages, std::vector<std::string>{"16 错误 请先选择需要处理的文件！"});
        EXPECT_EQ(window.start, "开始处理");
        EXPECT_EQ(window.elapsed, "7 秒");
        EXPECT_TRUE(window.splits.empty());
    }
}

TEST_F(RunControlTest, RefusesToStartWithoutADestinationButAcceptsOneOfSpaces)
{
    window.save = "";
    control.cmdStartClick();
    EXPECT_EQ(window.messages, std::vector<std::string>{"16 错误 请选择文件保存地址！"});
    EXPECT_TRUE(window.splits.empty());

    window.save = "  ";
    control.cmdStartClick();
    EXPECT_EQ(window.splits, std::vector<std::string>{"lines"});
}

TEST_F(RunControlTest, PutsTheWindowIntoItsRunningStateBeforeSplitting)
{
    window.duringSplit = [this] {
        EXPECT_EQ(window.start, "停止");
        EXPECT_EQ(window.elapsed, "0 秒");
        EXPECT_FALSE(control.stopFlag());
        EXPECT_TRUE(control.splitInProgress());
    };
    control.requestStop();  // a flag left from an earlier run is cleared by the start
    window.start = "开始处理";
    control.cmdStartClick();
    EXPECT_EQ(window.splits.size(), 1u);
    EXPECT_FALSE(control.splitInProgress());
}

TEST_F(RunControlTest, ReadsTheLineThresholdLenientlyAndDefaultsAZero)
{
    const std::vector<std::pair<std::string, double>> cases = {
        {"", 3000}, {"0", 3000}, {"  ", 3000}, {"000", 3000}, {"1 0", 10}, {"25", 25}};
    for (const auto& [text, expected] : cases) {
        window.lineCount = text;
        window.start = "开始处理";
        control.cmdStartClick();
        EXPECT_EQ(control.lineThreshold(), expected) << '"' << text << '"';
        EXPECT_EQ(window.lineCount, expected == 3000 ? "3000" : text);
    }
}

TEST_F(RunControlTest, MultipliesTheSizeByAThousandAndDefaultsAZero)
{
    window.lineMode = false;
    window.size = "2";
    control.cmdStartClick();
    EXPECT_EQ(control.sizeThreshold(), 2000);
    EXPECT_EQ(window.splits, std::vector<std::string>{"size"});

    window.size = "";
    window.start = "开始处理";
    control.cmdStartClick();
    EXPECT_EQ(window.size, "1024");
    EXPECT_EQ(control.sizeThreshold(), 1024000);
}

TEST_F(RunControlTest, AClickDuringARunStopsIt)
{
    window.duringSplit = [this] {
        control.cmdStartClick();
        EXPECT_TRUE(control.stopFlag());
        EXPECT_EQ(window.start, "开始处理");
    };
    control.cmdStartClick();
    EXPECT_EQ(window.splits.size(), 1u);
}

TEST_F(RunControlTest, RefusesAStartWhileAStoppedRunHasNotReturned)
{
    window.duringSplit = [this] {
        control.cmdStartClick();  // stop
        control.cmdStartClick();  // start again before the stopped split has returned
        EXPECT_TRUE(control.stopFlag()) << "the stopped run must still see its stop";
    };
    control.cmdStartClick();
    EXPECT_EQ(window.splits.size(), 1u);

    window.duringSplit = nullptr;
    control.cmdStartClick();  // once it has returned, a start works again
    EXPECT_EQ(window.splits.size(), 2u);
}

TEST_F(RunControlTest, EachTickAddsASecond)
{
    window.duringSplit = [this] {
        for (int tick = 0; tick < 3; ++tick)
            control.timer1Tick();
    };
    control.cmdStartClick();
    EXPECT_EQ(window.elapsed, "3 秒");
    window.elapsed = "99 秒";
    control.timer1Tick();
    EXPECT_EQ(window.elapsed, "100 秒");
}

}  // namespace
}  // namespace tess

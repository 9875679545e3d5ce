// Start clicks on the window as a user makes them: validation, default thresholds, the run's
// outcome on screen, ticks and the link label.

#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "WindowTestSupport.h"
#include "support/TempDir.h"
#include "ui/Maker.h"

namespace tess::testing {
namespace {

class RunFromWindow : public WindowTest {
protected:
    // A source in the temporary folder, and the box pointing at it.
    void useSource(const std::string& bytes)
    {
        WriteFile(dir.path() + "book.txt", bytes);
        setText("txtPath", QString::fromStdString(dir.path() + "book.txt"));
        setText("txtSave", QString::fromStdString(out()));
    }
    std::string out() const { return dir.path() + "out/"; }
    std::vector<std::string> pieces() const { return ReadPieces(out(), "book"); }
    void selectSizeMode() { control<QRadioButton>("Option2").click(); }

    // The state a refused start must leave alone, taken before the click.
    struct Screen {
        QString caption, elapsed, lineCount, size;
        bool timerActive;
    };
    Screen screen()
    {
        return {text("cmdStart"), text("Label6"), text("txtLineCount"), text("txtSize"),
                control<QTimer>("Timer1").isActive()};
    }
    void expectUnchanged(const Screen& before)
    {
        const Screen after = screen();
        EXPECT_EQ(after.caption, before.caption);
        EXPECT_EQ(after.elapsed, before.elapsed);
        EXPECT_EQ(after.lineCount, before.lineCount);
        EXPECT_EQ(after.size, before.size);
        EXPECT_EQ(after.timerActive, before.timerActive);
    }

    TempDir dir;
};

TEST_F(RunFromWindow, AnEmptyOrBlankSourceIsRefusedWithAnErrorBoxAndNothingElse)
{
    for (const QString& source : {QString(""), QString("    ")}) {
        messages.messages.clear();
        setText("txtPath", source);
        setText("txtSave", QString::fromStdString(out()));
        setText("txtLineCount", "");  // a start that got further would write the default here
        tick();                       // and would reset this to "0 秒"
        const Screen before = screen();
        clickStart();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "请先选择需要处理的文件！");
        EXPECT_EQ(messages.messages[0].style, MessageStyle::Error);
        EXPECT_EQ(messages.messages[0].title, "错误");
        expectUnchanged(before);
        EXPECT_FALSE(Exists(out()));
    }
}

TEST_F(RunFromWindow, AnEmptyDestinationIsRefusedWithAnErrorBoxAndNothingElse)
{
    useSource("a\r\n");
    setText("txtSave", "");
    setText("txtLineCount", "");
    tick();
    const Screen before = screen();
    clickStart();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "请选择文件保存地址！");
    EXPECT_EQ(messages.messages[0].style, MessageStyle::Error);
    EXPECT_EQ(messages.messages[0].title, "错误");
    expectUnchanged(before);
}

TEST_F(RunFromWindow, ACompletedRunEndsIdleWithTheNoticeAndAFullBar)
{
    useSource(NumberedLines(1, 7));
    setText("txtLineCount", "3");
    tick();
    clickStart();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "转换处理完成！");
    EXPECT_EQ(messages.messages[0].style, MessageStyle::Information);
    EXPECT_EQ(messages.messages[0].title, "提示");
    EXPECT_EQ(text("cmdStart"), "开始处理");
    EXPECT_EQ(text("Label6"), "0 秒");
    EXPECT_FALSE(control<QTimer>("Timer1").isActive());
    EXPECT_EQ(control<QProgressBar>("prgRead").value(), control<QProgressBar>("prgRead").maximum());
    EXPECT_EQ(pieces(), (std::vector<std::string>{NumberedLines(1, 3), NumberedLines(4, 3), NumberedLines(7, 1)}));
}

TEST_F(RunFromWindow, AnEmptySourceCompletesWithAFullBar)
{
    useSource("");
    clickStart();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "转换处理完成！");
    EXPECT_EQ(control<QProgressBar>("prgRead").value(), control<QProgressBar>("prgRead").maximum());
}

TEST_F(RunFromWindow, ALineCountWorthNothingBecomes3000)
{
    for (const QString& typed : {QString(""), QString("0"), QString("  ")}) {
        std::filesystem::remove_all(out());
        useSource(NumberedLines(1, 3001));
        setText("txtLineCount", typed);
        clickStart();
        EXPECT_EQ(text("txtLineCount"), "3000");
        EXPECT_EQ(pieces(), (std::vector<std::string>{NumberedLines(1, 3000), NumberedLines(3001, 1)}));
    }
}

TEST_F(RunFromWindow, ALineCountWithAnInnerSpaceCountsItsDigits)
{
    useSource(NumberedLines(1, 25));
    setText("txtLineCount", "1 0");
    clickStart();
    EXPECT_EQ(text("txtLineCount"), "1 0");
    EXPECT_EQ(pieces(), (std::vector<std::string>{NumberedLines(1, 10), NumberedLines(11, 10), NumberedLines(21, 5)}));
}

TEST_F(RunFromWindow, SizeIsInThousandsOfCharacters)
{
    // 600 characters a line: with 2 in the box a piece closes once it reaches 2000, at 4 lines.
    useSource(NumberedLines(1, 10, 602));
    selectSizeMode();
    setText("txtSize", "2");
    clickStart();
    EXPECT_EQ(pieces(), (std::vector<std::string>{NumberedLines(1, 4, 602), NumberedLines(5, 4, 602),
                                                  NumberedLines(9, 2, 602)}));
}

TEST_F(RunFromWindow, SizeCountsTheCharactersOfAUtf8ChineseText)
{
    // 500 Chinese characters a line, 1500 bytes in UTF-8: with 2 in the box a piece closes at
    // its fourth line, as in any encoding.
    std::string line;
    for (int i = 0; i < 500; ++i)
        line += "汉";
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += line + "\n";
    useSource(text);
    selectSizeMode();
    setText("txtSize", "2");
    clickStart();
    std::string four;
    for (int i = 0; i < 4; ++i)
        four += line + "\r\n";
    EXPECT_EQ(pieces(), (std::vector<std::string>{four, four, line + "\r\n" + line + "\r\n"}));
}

TEST_F(RunFromWindow, ASizeWorthNothingBecomes1024ThatIs1024000Characters)
{
    // 1000 characters a line: the first piece reaches 1,024,000 with its 1024th line.
    useSource(NumberedLines(1, 1100, 1002));
    selectSizeMode();
    setText("txtSize", "");
    clickStart();
    EXPECT_EQ(text("txtSize"), "1024");
    EXPECT_EQ(pieces(), (std::vector<std::string>{NumberedLines(1, 1024, 1002), NumberedLines(1025, 76, 1002)}));
}

TEST_F(RunFromWindow, AFailedRunShowsAChineseErrorBoxNamingThePathAndReasonThenIsIdle)
{
    const std::string missing = dir.path() + "no-such-book.txt";
    setText("txtPath", QString::fromStdString(missing));
    setText("txtSave", QString::fromStdString(out()));
    clickStart();
    ASSERT_EQ(messages.messages.size(), 1u);
    const auto& box = messages.messages[0];
    EXPECT_EQ(box.style, MessageStyle::Error);
    EXPECT_EQ(box.title, "错误");
    EXPECT_NE(box.text.find("无法打开源文件"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(missing), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("文件或目录不存在"), std::string::npos) << box.text;
    EXPECT_EQ(text("cmdStart"), "开始处理");
    EXPECT_FALSE(control<QTimer>("Timer1").isActive());
}

TEST_F(RunFromWindow, APieceThatCannotBeMadeIsReportedWithItsPath)
{
    useSource("line\r\n");
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::mkdir((out() + "book1.txt").c_str(), 0777), 0);  // a folder where the piece goes
    clickStart();
    ASSERT_EQ(messages.messages.size(), 1u);
    const auto& box = messages.messages.back();
    EXPECT_EQ(box.title, "错误");
    EXPECT_NE(box.text.find("无法创建输出文件"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(out() + "book1.txt"), std::string::npos) << box.text;
    EXPECT_EQ(text("cmdStart"), "开始处理");
}

// The run goes on after it, but its pieces cannot be opened there, and a source with no lines
// completes: neither is told again, nor as a success.
TEST_F(RunFromWindow, AFolderThatCannotBeMadeIsOneUntitledBoxNamingIt)
{
    WriteFile(dir.path() + "plain-file", "");
    for (const std::string source : {"line\r\n", " \r\n"}) {
        useSource(source);
        setText("txtSave", QString::fromStdString(dir.path() + "plain-file/sub/"));
        messages.messages.clear();
        clickStart();
        ASSERT_EQ(messages.messages.size(), 1u) << source;
        EXPECT_EQ(messages.messages[0].text, "创建错误: 无法创建文件夹：\n" + dir.path() + "plain-file/\n原因：已有同名的文件");
        EXPECT_EQ(messages.messages[0].style, MessageStyle::Plain);
        EXPECT_EQ(messages.messages[0].title, "Quorrax");
        EXPECT_EQ(text("cmdStart"), "开始处理");
    }
}

TEST_F(RunFromWindow, EachTickAddsASecond)
{
    tick();
    tick();
    tick();
    EXPECT_EQ(text("Label6"), "3 秒");
}

TEST_F(RunFromWindow, EveryClickOnTheLinkOpensTheHomePageOnce)
{
    auto& link = control<QWidget>("Label13");
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], QUrl(kMakerHomePage));
    QTest::mouseClick(&link, Qt::LeftButton);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(browser.opened.size(), 3u);
    QTest::mouseClick(&link, Qt::RightButton);
    QTest::mousePress(&link, Qt::LeftButton);
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(-5, -5));  // let go beside it
    EXPECT_EQ(browser.opened.size(), 3u);
}

}  // namespace
}  // namespace tess::testing

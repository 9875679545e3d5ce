#include <cerrno>

#include <gtest/gtest.h>

#include "ui/FailureText.h"

namespace tess {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(FailureText, NamesWhatFailedThePathAndTheReason)
{
    const std::pair<RunFailure, const char*> cases[] = {
        {RunFailure::OpenSource, "无法打开源文件"},   {RunFailure::ReadSource, "读取源文件出错"},
        {RunFailure::OpenPiece, "无法创建输出文件"},  {RunFailure::WritePiece, "写入输出文件出错"},
        {RunFailure::ClosePiece, "关闭输出文件出错"}, {RunFailure::NoFileNumber, "没有空闲的文件号"},
        {RunFailure::Utf32Source, "UTF-32"},          {RunFailure::FolderBusy, "另一个分割正在写入"},
    };
    for (const auto& [what, words] : cases) {
        const std::string text = FailureText({what, "/data/书.txt", SystemError(ENOSPC)}, 0);
        EXPECT_TRUE(Contains(text, words)) << text;
        EXPECT_TRUE(Contains(text, "/data/书.txt")) << text;
        EXPECT_TRUE(Contains(text, "磁盘空间不足")) << text;
    }
}

TEST(FailureText, APiecesPipeWithoutAReaderOrAFileInAFoldersPlaceIsToldInChinese)
{
    const std::pair<int, const char*> cases[] = {
        {ENXIO, "没有程序在读取"}, {EPIPE, "已经退出"}, {EEXIST, "已有同名的文件"}};
    for (const auto& [code, words] : cases)
        EXPECT_TRUE(Contains(ReasonText(SystemError(code)), words)) << code;
    EXPECT_EQ(FolderFailureText("/data/书/", SystemError(EEXIST)), "无法创建文件夹：\n/data/书/\n原因：已有同名的文件");
}

TEST(FailureText, AnUncommonReasonIsTheSystemsOwnText)
{
    const std::string text = FailureText({RunFailure::ReadSource, "/x", SystemError(EBADMSG)}, 0);
    EXPECT_TRUE(Contains(text, "Bad message")) << text;
}

TEST(FailureText, SaysHowManyLinesReachedThePiecesWhenAnyCould)
{
    EXPECT_TRUE(Contains(FailureText({RunFailure::WritePiece, "/x", SystemError(ENOSPC)}, 120), "已有 120 行写入"));
    EXPECT_TRUE(Contains(FailureText({RunFailure::WritePiece, "/x", SystemError(ENOSPC)}, 0), "没有一行写入"));
    EXPECT_FALSE(Contains(FailureText({RunFailure::OpenSource, "/x", SystemError(ENOENT)}, 0), "写入输出文件"));
}

}  // namespace
}  // namespace tess

#include "shell/SelectionBuffer.h"

#include <string>

#include <gtest/gtest.h>

namespace tess {
namespace {

using namespace std::string_literals;

std::string Padded(std::string content, std::size_t length)
{
    content.resize(length, '\0');
    return content;
}

TEST(SingleSelectionBuffer, HoldsThePathAsUtf8BytesAndItsNulOrNothing)
{
    EXPECT_EQ(SingleSelectionBuffer(QStringLiteral("/数据/第一卷.txt"), 64), Padded("/数据/第一卷.txt", 64));

    // Nine bytes of path need ten with their NUL.
    EXPECT_EQ(SingleSelectionBuffer(QStringLiteral("/data/a.b"), 10), "/data/a.b\0"s);
    EXPECT_EQ(SingleSelectionBuffer(QStringLiteral("/data/a.b"), 9), std::nullopt);
}

TEST(MultipleSelectionBuffer, HoldsOneFileAsItsPathAndSeveralAsFolderAndNames)
{
    EXPECT_EQ(MultipleSelectionBuffer(QStringLiteral("/data"), {QStringLiteral("/data/a.txt")}, 32),
              Padded("/data/a.txt\0\0"s, 32));

    const QStringList several{QStringLiteral("/data/甲.txt"), QStringLiteral("/data/b.txt"),
                              QStringLiteral("/data/sub/c.txt")};
    const std::string expected = "/data\0甲.txt\0b.txt\0sub/c.txt\0\0"s;
    EXPECT_EQ(MultipleSelectionBuffer(QStringLiteral("/data/"), several, 64), Padded(expected, 64));
    EXPECT_EQ(MultipleSelectionBuffer(QStringLiteral("/data"), several, expected.size()), expected);
    EXPECT_EQ(MultipleSelectionBuffer(QStringLiteral("/data"), several, expected.size() - 1), std::nullopt);

    EXPECT_EQ(MultipleSelectionBuffer(QStringLiteral("/"), {QStringLiteral("/a"), QStringLiteral("/b")}, 8),
              "/\0a\0b\0\0\0"s);
}

}  // namespace
}  // namespace tess

#include "shell/NameFilters.h"

#include <string>

#include <QDir>
#include <gtest/gtest.h>

#include "support/DialogPaths.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using namespace std::string_literals;
using testing::DialogPath;
using testing::TempDir;
using testing::WriteFile;

TEST(ParseFilterList, ReadsDescriptionsInOrderUpToTheFirstEmptyOne)
{
    const std::vector<NameFilter> filters = ParseFilterList("文本文件(*.TXT)\0*.txt\0Markdown\0*.md\0\0"s);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, QStringLiteral("文本文件(*.TXT)"));
    EXPECT_EQ(filters[1].description, QStringLiteral("Markdown"));

    EXPECT_EQ(ParseFilterList("A\0*.a\0\0B\0*.b\0\0"s).size(), 1u);
    EXPECT_TRUE(ParseFilterList("\0\0"s).empty());
    EXPECT_TRUE(ParseFilterList(""s).empty());
}

// Whatever a name holds, only "*" and "?" are wildcards, and case never matters: the patterns
// are applied as Qt's file lists apply them, with the case-sensitive comparison that a Linux
// file system suggests.
TEST(ParseFilterList, WildcardsMatchWholeNamesRegardlessOfCase)
{
    struct Case {
        std::string patterns;
        const char* name;
        bool shown;
    };
    const Case cases[] = {
        {"*.txt", "BOOK.TXT", true},          {"*.txt", "Book.Txt", true},
        {"*.txt", "book.txt.bak", false},     {"*.TXT; *.Md", "notes.md", true},
        {"*.TXT; *.Md", "README", false},     {"*.*", "README", true},
        {"*.*", "book.txt", true},            {"?.md", "a.md", true},
        {"?.md", "ab.md", false},             {"*我的*", "我的书.txt", true},
        {"第?章.txt", "第一章.TXT", true},    {"*(1).txt", "book(1).txt", true},
        {"*(1).txt", "book1.txt", false},     {"my book.txt", "My Book.txt", true},
        {"file[1].txt", "file[1].txt", true}, {"file[1].txt", "file1.txt", false},
        {"x]y", "x]y", true},                 {"it's*", "it's.txt", true},
        {"a.b*", "axb", false},               {"*.é", "fichier.É", true},
        {" ; ", "README", true},              {"", "notes.md", true},
    };
    TempDir dir;
    for (const Case& c : cases)
        WriteFile(dir.path() + c.name, "");
    for (const Case& c : cases) {
        const std::vector<NameFilter> filters = ParseFilterList("Entry\0"s + c.patterns + "\0\0"s);
        ASSERT_EQ(filters.size(), 1u);
        const QStringList shown = QDir(DialogPath(dir)).entryList(filters[0].patterns, QDir::Files | QDir::CaseSensitive);
        EXPECT_EQ(shown.contains(QString::fromUtf8(c.name)), c.shown) << c.patterns << " / " << c.name;
    }
}

}  // namespace
}  // namespace tess

#include "shell/NameFilters.h"

#include <string>

#include <QDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/DialogPaths.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using namespace std::string_literals;
using testing::DialogPath;
using testing::TempDir;
using ::testing::UnorderedElementsAre;
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

// The wildcards are applied as Qt's file lists apply them, with the case-sensitive comparison
// a Linux file system would suggest: matching regardless of case must come from the patterns.
QStringList Matching(const TempDir& dir, const NameFilter& filter)
{
    return QDir(DialogPath(dir)).entryList(filter.patterns, QDir::Files | QDir::CaseSensitive);
}

TEST(ParseFilterList, PatternsMatchNamesRegardlessOfCase)
{
    TempDir dir;
    for (const char* name : {"BOOK.TXT", "book.txt", "Book.Txt", "book.txt.bak", "notes.md", "README"})
        WriteFile(dir.path() + name, "");

    const std::vector<NameFilter> filters = ParseFilterList("Text\0*.txt\0Text or notes\0*.TXT; *.Md\0All\0*.*\0\0"s);
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_THAT(Matching(dir, filters[0]), UnorderedElementsAre("BOOK.TXT", "book.txt", "Book.Txt"));
    EXPECT_THAT(Matching(dir, filters[1]), UnorderedElementsAre("BOOK.TXT", "book.txt", "Book.Txt", "notes.md"));
    EXPECT_THAT(Matching(dir, filters[2]),
                UnorderedElementsAre("BOOK.TXT", "book.txt", "Book.Txt", "book.txt.bak", "notes.md", "README"));
}

}  // namespace
}  // namespace tess

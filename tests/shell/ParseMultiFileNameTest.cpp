#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/cFileDialog.h"

namespace tess {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;

// What ParseMultiFileName wrote.
struct Parsed {
    std::string folder;
    std::vector<std::string> files;
    std::int32_t count = 0;
};

// Parses `filename` as a dialog left it, starting from `start`.
Parsed Parse(const std::string& filename, Parsed start = {})
{
    cFileDialog dialog;
    dialog.Filename(filename);
    dialog.ParseMultiFileName(start.folder, start.files, start.count);
    return start;
}

std::string MultipleSelectionBuffer(const std::string& list)
{
    std::string buffer = list;
    buffer.resize(8192, '\0');
    return buffer;
}

TEST(ParseMultiFileName, SeveralFilesGiveTheFolderAndTheNamesCountingOnFromTheGivenCount)
{
    const std::string filename = MultipleSelectionBuffer("/data\0a.txt\0b.txt\0\0"s);

    const Parsed first = Parse(filename);
    EXPECT_EQ(first.folder, "/data");
    EXPECT_THAT(first.files, ElementsAre("a.txt", "b.txt"));
    EXPECT_EQ(first.count, 2);

    const Parsed again = Parse(filename, first);
    EXPECT_EQ(again.folder, "/data");
    EXPECT_THAT(again.files, ElementsAre("a.txt", "b.txt", "a.txt", "b.txt"));
    EXPECT_EQ(again.count, 4);

    const Parsed inRoot = Parse(MultipleSelectionBuffer("/\0甲.txt\0乙.txt\0\0"s));
    EXPECT_EQ(inRoot.folder, "/");
    EXPECT_THAT(inRoot.files, ElementsAre("甲.txt", "乙.txt"));
}

TEST(ParseMultiFileName, ACountNoIndexCanTakeThrowsAndLeavesEverythingAsItWas)
{
    cFileDialog dialog;
    dialog.Filename(MultipleSelectionBuffer("/data\0a.txt\0b.txt\0\0"s));
    for (const std::int32_t count : {-1, -2, INT32_MAX - 1}) {
        std::string folder = "before";
        std::vector<std::string> files = {"x"};
        std::int32_t counted = count;
        EXPECT_THROW(dialog.ParseMultiFileName(folder, files, counted), std::out_of_range) << count;
        EXPECT_EQ(folder, "before");
        EXPECT_THAT(files, ElementsAre("x"));
        EXPECT_EQ(counted, count);
    }
}

TEST(ParseMultiFileName, OneFileGivesItsFolderWithTheSlashAndReplacesTheList)
{
    const Parsed earlier{"/old", {"x", "y", "z"}, 3};

    const Parsed fromMultipleSelection = Parse(MultipleSelectionBuffer("/data/a.txt\0\0"s), earlier);
    EXPECT_EQ(fromMultipleSelection.folder, "/data/");
    EXPECT_THAT(fromMultipleSelection.files, ElementsAre("a.txt"));
    EXPECT_EQ(fromMultipleSelection.count, 1);

    const Parsed fromSingleSelection = Parse("/data/sub/b.txt", earlier);
    EXPECT_EQ(fromSingleSelection.folder, "/data/sub/");
    EXPECT_THAT(fromSingleSelection.files, ElementsAre("b.txt"));
    EXPECT_EQ(fromSingleSelection.count, 1);
}

TEST(ParseMultiFileName, ANameWithoutFolderOrAnEmptyFilenameIsTakenAsItIs)
{
    const Parsed earlier{"/old", {"x", "y"}, 2};

    const Parsed bare = Parse("a.txt", earlier);
    EXPECT_EQ(bare.folder, "");
    EXPECT_THAT(bare.files, ElementsAre("a.txt"));
    EXPECT_EQ(bare.count, 1);

    const Parsed empty = Parse("", earlier);
    EXPECT_EQ(empty.folder, "");
    EXPECT_THAT(empty.files, ElementsAre(""));
    EXPECT_EQ(empty.count, 1);
}

}  // namespace
}  // namespace tess

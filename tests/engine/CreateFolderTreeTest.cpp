#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <unistd.h>

#include "engine/CreateFolderTree.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using modBrowseForFolder::CreateFolderTree;
using testing::Exists;
using testing::TempDir;

class MessageRecorder : public IMessageBox {
public:
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override
    {
        messages.push_back(text);
        styles.push_back(style);
        titles.push_back(title);
    }
    std::vector<std::string> messages;
    std::vector<MessageStyle> styles;
    std::vector<std::string> titles;
};

class FolderTree : public ::testing::Test {
protected:
    TempDir dir;
    MessageRecorder box;
};

TEST_F(FolderTree, DoesNothingForAnExistingPath)
{
    EXPECT_FALSE(CreateFolderTree(dir.path(), box));
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(FolderTree, CreatesEveryMissingFolderFromTheTopDown)
{
    EXPECT_TRUE(CreateFolderTree(dir.path() + "new/deeper/", box));
    EXPECT_TRUE(Exists(dir.path() + "new/deeper"));
    EXPECT_TRUE(CreateFolderTree(dir.path() + "new/last", box));  // no final "/": the last part too
    EXPECT_TRUE(Exists(dir.path() + "new/last"));
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(FolderTree, WalksRelativePathsFromTheCurrentFolder)
{
    const std::string relative = dir.path().substr(1) + "rel/sub/";  // "tmp/..." seen from "/"
    ASSERT_EQ(::chdir("/"), 0);
    EXPECT_TRUE(CreateFolderTree(relative, box));
    EXPECT_TRUE(Exists(dir.path() + "rel/sub"));
}

TEST_F(FolderTree, SkipsTheServerPartOfADoubleSlashPath)
{
    // "//tmp/..." names the same folder as "/tmp/..."; "tmp" stands where a server would.
    EXPECT_TRUE(CreateFolderTree("/" + dir.path() + "share/dir/", box));
    EXPECT_TRUE(Exists(dir.path() + "share/dir"));

    const std::string server = "tessaline-no-such-server-" + std::to_string(::getpid());
    EXPECT_FALSE(CreateFolderTree("//" + server + "/share/dir/", box));
    EXPECT_FALSE(Exists("/" + server)) << "the server part must never be created";
    EXPECT_EQ(box.messages, std::vector<std::string>{"创建错误: No such file or directory"});
}

TEST_F(FolderTree, RefusesABareServer)
{
    EXPECT_FALSE(CreateFolderTree("//tessaline-no-such-server", box));
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0], "创建错误: Invalid argument");
}

TEST_F(FolderTree, ReportsAPrefixThatIsAFileUntitledAndWithoutIcon)
{
    testing::WriteFile(dir.path() + "file", "");
    EXPECT_FALSE(CreateFolderTree(dir.path() + "file/sub/", box));
    EXPECT_EQ(box.messages, std::vector<std::string>{"创建错误: File exists"});
    EXPECT_EQ(box.styles, std::vector<MessageStyle>{MessageStyle::Plain});
    EXPECT_EQ(box.titles, std::vector<std::string>{"Quorrax"});
    EXPECT_FALSE(Exists(dir.path() + "file/sub"));
}

TEST_F(FolderTree, KeepsTheFoldersItCreatedBeforeAFailure)
{
    const std::string tooLong(300, 'x');
    EXPECT_FALSE(CreateFolderTree(dir.path() + "made/" + tooLong + "/never/", box));
    EXPECT_TRUE(Exists(dir.path() + "made"));
    EXPECT_EQ(box.messages, std::vector<std::string>{"创建错误: File name too long"});
}

}  // namespace
}  // namespace tess

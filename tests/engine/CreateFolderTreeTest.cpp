#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/CreateFolderTree.h"
#include "runtime/Folders.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using modBrowseForFolder::CreateFolderTree;
using testing::Exists;
using testing::TempDir;

// Writes down each folder that could not be created, with the system's reason.
class FailureRecorder : public IFolderTreeEvents {
public:
    void folderNotCreated(const std::string& folder, std::error_code error) override
    {
        messages.push_back(folder + ": " + error.message());
    }
    std::vector<std::string> messages;
};

class FolderTree : public ::testing::Test {
protected:
    TempDir dir;
    FailureRecorder box;
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
    EXPECT_EQ(box.messages, std::vector<std::string>{"//" + server + "/share/: No such file or directory"});
}

TEST_F(FolderTree, RefusesABareServer)
{
    EXPECT_FALSE(CreateFolderTree("//tessaline-no-such-server", box));
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0], "//tessaline-no-such-server: Invalid argument");
}

TEST_F(FolderTree, ReportsTheFolderBehindAPrefixThatIsAFile)
{
    testing::WriteFile(dir.path() + "file", "");
    EXPECT_FALSE(CreateFolderTree(dir.path() + "file/sub/", box));
    // "file/" names a folder, which a file of that name is not: that is the folder not made.
    EXPECT_EQ(box.messages, std::vector<std::string>{dir.path() + "file/: File exists"});
    EXPECT_FALSE(Exists(dir.path() + "file/sub"));
}

// Two runs making the same tree: one may make a folder between the other's look for it and its
// mkdir. A folder found made counts as made; a file in its place does not.
TEST_F(FolderTree, TakesAFolderMadeMeanwhileAsMade)
{
    ASSERT_EQ(::mkdir((dir.path() + "made").c_str(), 0777), 0);
    testing::WriteFile(dir.path() + "file", "");
    EXPECT_EQ(CreateOneFolder(dir.path() + "made"), 0);
    EXPECT_EQ(CreateOneFolder(dir.path() + "made/"), 0);
    EXPECT_EQ(CreateOneFolder(dir.path() + "file"), EEXIST);
    EXPECT_EQ(CreateOneFolder(dir.path() + "file/"), EEXIST);
}

TEST_F(FolderTree, KeepsTheFoldersItCreatedBeforeAFailure)
{
    const std::string tooLong(300, 'x');
    EXPECT_FALSE(CreateFolderTree(dir.path() + "made/" + tooLong + "/never/", box));
    EXPECT_TRUE(Exists(dir.path() + "made"));
    EXPECT_EQ(box.messages, std::vector<std::string>{dir.path() + "made/" + tooLong + "/: File name too long"});
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "runtime/ReadAhead.h"
#include "support/TempDir.h"

namespace tess {
namespace {

TEST(ReadAhead, HandsOverWhatAHelperReadElseLeavesTheReadToItsOwner)
{
    testing::TempDir dir;
    testing::WriteFile(dir.path() + "source", "0123456789");
    const int fd = ::open((dir.path() + "source").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int wakes = 0;
    ReadAhead ahead(16, [&wakes] { ++wakes; });
    std::unique_ptr<char[]> mine(new char[16]());
    ssize_t got = 0;
    int error = 0;

    EXPECT_FALSE(ahead.take(mine, got, error)) << "nothing was asked for";

    ahead.ask(fd, 2, 4);
    EXPECT_EQ(wakes, 1);
    std::thread([&ahead] { ahead.serve(); }).join();
    ASSERT_TRUE(ahead.take(mine, got, error));
    EXPECT_EQ(got, 4);
    EXPECT_EQ(std::string(mine.get() + 2, 4), "0123") << "where it was asked to land, in the buffer handed over";

    ahead.ask(fd, 0, 4);
    EXPECT_FALSE(ahead.take(mine, got, error)) << "not begun in time: the owner reads";
    ahead.serve();  // too late: the ask is withdrawn
    char rest[8];
    EXPECT_EQ(::read(fd, rest, sizeof rest), 6) << "the file's offset is where the owner left it";

    ahead.ask(-1, 0, 4);
    ahead.serve();
    ASSERT_TRUE(ahead.take(mine, got, error));
    EXPECT_EQ(got, -1);
    EXPECT_EQ(error, EBADF) << "a failed read hands over its error";
    ::close(fd);
}

}  // namespace
}  // namespace tess

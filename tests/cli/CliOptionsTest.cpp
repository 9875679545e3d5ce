#include <gtest/gtest.h>

#include <vector>

#include "cli/CliOptions.h"

namespace tess::cli {
namespace {

CliCommand Parse(std::vector<const char*> args, CliOptions& options)
{
    args.insert(args.begin(), "tessaline-split");
    std::string complaint;
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, complaint);
}

TEST(CliOptions, FillsTheSameParametersAsTheWindow)
{
    CliOptions options;
    ASSERT_EQ(Parse({"src.txt", "/out"}, options), CliCommand::Split);
    EXPECT_EQ(options.mode, SplitMode::ByLineCount);
    EXPECT_EQ(options.threshold, 3000);
    EXPECT_FALSE(options.encoding.has_value()) << "found from the source";
    EXPECT_FALSE(options.mapSource) << "read unless asked";
    EXPECT_EQ(options.destination, "/out/");

    ASSERT_EQ(Parse({"--size", "2", "src.txt", "/"}, options), CliCommand::Split);
    EXPECT_EQ(options.mode, SplitMode::BySize);
    EXPECT_EQ(options.threshold, 2000);
    EXPECT_EQ(options.destination, "/");

    ASSERT_EQ(Parse({"--size", "000", "--", "-src.txt", "out/"}, options), CliCommand::Split);
    EXPECT_EQ(options.threshold, 1024000);
    EXPECT_EQ(options.source, "-src.txt");
    EXPECT_EQ(options.destination, "out/");

    ASSERT_EQ(Parse({"--lines", "0", "--map-source", "a", "b"}, options), CliCommand::Split);
    EXPECT_EQ(options.threshold, 3000);
    EXPECT_TRUE(options.mapSource);
}

TEST(CliOptions, RefusesEmptyPaths)
{
    CliOptions options;
    EXPECT_EQ(Parse({"", "/out"}, options), CliCommand::BadUsage);
    EXPECT_EQ(Parse({"src", ""}, options), CliCommand::BadUsage);
    EXPECT_EQ(Parse({"--lines"}, options), CliCommand::BadUsage);
}

}  // namespace
}  // namespace tess::cli

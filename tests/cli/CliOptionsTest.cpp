#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/CliOptions.h"

namespace tess::cli {
namespace {

CliCommand Parse(std::vector<const char*> args, CliOptions& options, std::string* complaint = nullptr)
{
    args.insert(args.begin(), "tessaline-split");
    std::string ignored;
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, complaint ? *complaint : ignored);
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

TEST(CliOptions, NamesTheUnknownOptionItWasGiven)
{
    const std::pair<std::vector<const char*>, std::string> cases[] = {
        {{"--bogus", "a", "b"}, "unknown option '--bogus'"},
        {{"-xy", "a", "b"}, "unknown option '-x'"},
        {{"--lines", "5", "-ab", "a", "b"}, "unknown option '-a'"},
        {{"a", "b", "-ab"}, "unknown option '-a'"},
    };
    for (const auto& [args, expected] : cases) {
        CliOptions options;
        std::string complaint;
        EXPECT_EQ(Parse(args, options, &complaint), CliCommand::BadUsage);
        EXPECT_EQ(complaint, expected);
    }
}

}  // namespace
}  // namespace tess::cli

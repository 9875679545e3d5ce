#include "cli/CliOptions.h"

#include <string_view>

#include "engine/Thresholds.h"
#include "runtime/Text.h"

namespace tess::cli {

namespace {

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A threshold worth 0 takes the default, as the window does.
double Threshold(std::string_view text, double defaultValue)
{
    const double value = LenientValue(text);
    return value == 0 ? defaultValue : value;
}

}  // namespace

std::string UsageText()
{
    return "usage: tessaline-split [--lines N | --size K] [--encoding cp936|utf-8] [--quiet] SOURCE DEST\n"
           "Splits SOURCE into DEST/<name>1.txt, <name>2.txt, ... (appending), one trimmed\n"
           "non-blank line per CR LF line.\n"
           "  --lines N     N lines per piece (default 3000)\n"
           "  --size K      whole lines until a piece holds K x 1000 characters (default 1024)\n"
           "  --encoding E  how characters are counted for --size: cp936 (default) or utf-8\n"
           "  --quiet       no progress line\n"
           "  --help, --version\n";
}

CliCommand ParseCommandLine(int argc, const char* const* argv, CliOptions& options, std::string& complaint)
{
    std::string positional[2];
    int positionals = 0;
    bool modeGiven = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (positionals == 2) {
                complaint = "too many arguments";
                return CliCommand::BadUsage;
            }
            positional[positionals++] = std::string(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            return CliCommand::Help;
        } else if (arg == "--version") {
            return CliCommand::Version;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--lines" || arg == "--size" || arg == "--encoding") {
            if (i + 1 >= argc) {
                complaint = std::string(arg) + " needs a value";
                return CliCommand::BadUsage;
            }
            const std::string_view value = argv[++i];
            if (arg == "--encoding") {
                if (value == "cp936")
                    options.codePage = CodePage::Cp936;
                else if (value == "utf-8")
                    options.codePage = CodePage::Utf8;
                else {
                    complaint = "unknown encoding '" + std::string(value) + "'";
                    return CliCommand::BadUsage;
                }
                continue;
            }
            if (modeGiven) {
                complaint = "give one of --lines and --size";
                return CliCommand::BadUsage;
            }
            if (!IsWholeNumber(value)) {
                complaint = std::string(arg) + " takes a whole number, not '" + std::string(value) + "'";
                return CliCommand::BadUsage;
            }
            modeGiven = true;
            if (arg == "--lines") {
                options.mode = SplitMode::ByLineCount;
                options.threshold = Threshold(value, kDefaultLinesPerPiece);
            } else {
                options.mode = SplitMode::BySize;
                options.threshold = Threshold(value, kDefaultThousandsPerPiece) * kCharactersPerThousand;
            }
        } else {
            complaint = "unknown option '" + std::string(arg) + "'";
            return CliCommand::BadUsage;
        }
    }
    if (positionals != 2) {
        complaint = "SOURCE and DEST are needed";
        return CliCommand::BadUsage;
    }
    if (positional[0].empty() || positional[1].empty()) {
        complaint = "SOURCE and DEST must not be empty";
        return CliCommand::BadUsage;
    }
    options.source = positional[0];
    options.destination = positional[1];
    if (options.destination.back() != '/')
        options.destination += '/';
    return CliCommand::Split;
}

}  // namespace tess::cli

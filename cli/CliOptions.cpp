#include "cli/CliOptions.h"

#include <getopt.h>

#include <string_view>

#include "engine/Thresholds.h"
#include "runtime/Text.h"

namespace tess::cli {

namespace {

enum OptionCode { kLines = 256, kSize, kEncoding, kQuiet, kMapSource, kHelp, kVersion };

const option kLongOptions[] = {
    {"lines", required_argument, nullptr, kLines},
    {"size", required_argument, nullptr, kSize},
    {"encoding", required_argument, nullptr, kEncoding},
    {"quiet", no_argument, nullptr, kQuiet},
    {"map-source", no_argument, nullptr, kMapSource},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

std::string OptionName(int code)
{
    for (const option* o = kLongOptions; o->name; ++o)
        if (o->val == code)
            return std::string("--") + o->name;
    return std::string("-") + static_cast<char>(code);
}

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

bool SetEncoding(std::string_view name, CliOptions& options, std::string& complaint)
{
    if (name == "auto") {
        options.encoding.reset();
        return true;
    }
    const std::pair<std::string_view, Encoding> names[] = {
        {"gb18030", Encoding::DoubleByte}, {"cp936", Encoding::DoubleByte},   {"gbk", Encoding::DoubleByte},
        {"big5", Encoding::DoubleByte},    {"utf-8", Encoding::Utf8},         {"utf-16le", Encoding::Utf16LE},
        {"utf-16be", Encoding::Utf16BE},
    };
    for (const auto& [known, encoding] : names) {
        if (name == known) {
            options.encoding = encoding;
            return true;
        }
    }
    complaint = "unknown encoding '" + std::string(name) + "'";
    return false;
}

bool SetThreshold(int code, std::string_view value, bool& modeGiven, CliOptions& options, std::string& complaint)
{
    if (modeGiven) {
        complaint = "give one of --lines and --size";
        return false;
    }
    if (!IsWholeNumber(value)) {
        complaint = OptionName(code) + " takes a whole number, not '" + std::string(value) + "'";
        return false;
    }
    modeGiven = true;
    if (code == kLines) {
        options.mode = SplitMode::ByLineCount;
        options.threshold = Threshold(value, kDefaultLinesPerPiece);
    } else {
        options.mode = SplitMode::BySize;
        options.threshold = Threshold(value, kDefaultThousandsPerPiece) * kCharactersPerThousand;
    }
    return true;
}

bool TakePaths(int argc, char* const* argv, CliOptions& options, std::string& complaint)
{
    const int positionals = argc - optind;
    if (positionals > 2) {
        complaint = "too many arguments";
        return false;
    }
    if (positionals < 2) {
        complaint = "SOURCE and DEST are needed";
        return false;
    }
    options.source = argv[optind];
    options.destination = argv[optind + 1];
    if (options.source.empty() || options.destination.empty()) {
        complaint = "SOURCE and DEST must not be empty";
        return false;
    }
    if (options.destination.back() != '/')
        options.destination += '/';
    return true;
}

}  // namespace

std::string UsageText()
{
    return "usage: tessaline-split [--lines N | --size K] [--encoding E] [--quiet] [--map-source]\n"
           "                       SOURCE DEST\n"
           "Splits SOURCE into DEST/<name>1.txt, <name>2.txt, ... (appending), one trimmed\n"
           "non-blank line per CR LF line.\n"
           "  --lines N     N lines per piece (default 3000)\n"
           "  --size K      whole lines until a piece holds K x 1000 characters (default 1024)\n"
           "  --encoding E  the source's encoding: auto (default: found from the source), gb18030\n"
           "                (also cp936, gbk, big5), utf-8, utf-16le or utf-16be\n"
           "  --quiet       no progress line\n"
           "  --map-source  view a regular SOURCE through a memory mapping instead of reading it:\n"
           "                no copy on the way in, but a page-table update for every page\n"
           "  --help, --version\n";
}

CliCommand ParseCommandLine(int argc, const char* const* args, CliOptions& options, std::string& complaint)
{
    // getopt_long moves the paths behind the options, as every GNU tool does.
    auto argv = const_cast<char* const*>(args);
    optind = 0;  // a fresh scan, also when called more than once
    opterr = 0;  // the complaint is ours to word
    bool modeGiven = false;
    int code;
    while ((code = getopt_long(argc, argv, ":", kLongOptions, nullptr)) != -1) {
        switch (code) {
        case kHelp: return CliCommand::Help;
        case kVersion: return CliCommand::Version;
        case kQuiet: options.quiet = true; break;
        case kMapSource: options.mapSource = true; break;
        case kEncoding:
            if (!SetEncoding(optarg, options, complaint))
                return CliCommand::BadUsage;
            break;
        case kLines:
        case kSize:
            if (!SetThreshold(code, optarg, modeGiven, options, complaint))
                return CliCommand::BadUsage;
            break;
        case ':':
            complaint = OptionName(optopt) + " needs a value";
            return CliCommand::BadUsage;
        default:
            // A short one may sit inside a cluster ("-xy"), where optind has not moved past it.
            complaint = "unknown option '" +
                        (optopt != 0 ? std::string{'-', static_cast<char>(optopt)} : std::string(argv[optind - 1])) +
                        "'";
            return CliCommand::BadUsage;
        }
    }
    return TakePaths(argc, argv, options, complaint) ? CliCommand::Split : CliCommand::BadUsage;
}

}  // namespace tess::cli

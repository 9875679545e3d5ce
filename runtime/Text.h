#pragma once

#include <string>
#include <string_view>

namespace tess {

// The text without the spaces (0x20 only) at either end. Tabs, the ideographic space and every
// other byte stay. The result views the argument. Inline: the split calls it for every line.
inline std::string_view TrimSpaces(std::string_view text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    while (end > begin && end[-1] == ' ')
        --end;
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

// The lenient value of a text: the number it begins with, blanks (space, tab, line feed)
// anywhere ignored; sign, digits, one decimal point and an exponent are read, reading stops at
// the first character that does not fit, and a text that does not begin with a number is 0.
// "3 000" is 3000, "12abc" is 12, "12 秒" is 12, "" is 0.
double LenientValue(std::string_view text);

// A number as plain decimal text: no leading zeros, no point for whole numbers ("3000", "2.5").
std::string NumberToText(double value);

}  // namespace tess

#include "runtime/Text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tess {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Copies the longest prefix of `text` (blanks skipped) that reads as a number.
std::string NumericPrefix(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (!IsBlank(c))
            kept += c;

    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < kept.size() && IsDigit(kept[i]))
            ++i;
        return i > start;
    };
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-'))
        ++i;
    bool mantissa = digits();
    if (i < kept.size() && kept[i] == '.') {
        ++i;
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return {};
    std::size_t end = i;
    if (i < kept.size() && (kept[i] == 'e' || kept[i] == 'E' || kept[i] == 'd' || kept[i] == 'D')) {
        ++i;
        if (i < kept.size() && (kept[i] == '+' || kept[i] == '-'))
            ++i;
        if (digits())
            end = i;
    }
    kept.resize(end);
    for (char& c : kept)
        if (c == 'd' || c == 'D')
            c = 'e';
    return kept;
}

}  // namespace

double LenientValue(std::string_view text)
{
    std::string number = NumericPrefix(text);
    if (number.empty())
        return 0;
    const char* begin = number.data();
    if (*begin == '+')  // from_chars takes a minus sign only
        ++begin;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const auto exponent = number.find('e');
        if (exponent != std::string::npos && number[exponent + 1] == '-')
            return 0;
        return (*begin == '-') ? -HUGE_VAL : HUGE_VAL;
    }
    return value == 0 ? 0 : value;  // no negative zero
}

std::string NumberToText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    char buffer[40];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ptr);
}

}  // namespace tess

#include "runtime/LineEnds.h"

#include <cstring>

namespace tess {

namespace {

// The first of the bytes at which a unit begins, for bytes that begin `intoLine` into a line.
std::size_t FirstUnitStart(std::size_t unit, std::uint64_t intoLine)
{
    return (unit - intoLine % unit) % unit;
}

}  // namespace

LineEnds FindLineEnds(const char* bytes, std::size_t size, std::string_view lineEnd, std::uint64_t intoLine)
{
    const std::size_t unit = lineEnd.size() / 2;
    LineEnds found;
    std::size_t at = FirstUnitStart(unit, intoLine);
    while (at + lineEnd.size() <= size) {
        if (std::memcmp(bytes + at, lineEnd.data(), lineEnd.size()) == 0) {
            at += lineEnd.size();
            ++found.count;
            found.pastLast = at;
        } else {
            at += unit;
        }
    }
    return found;
}

// Searched backwards for the line feed's byte, a vector at a time: what lies before the end of
// a long line costs no byte-by-byte step.
std::size_t WholeLinesWithin(const char* bytes, std::size_t size, std::size_t most, std::string_view lineEnd,
                             std::uint64_t intoLine)
{
    if (size <= most)
        return size;
    const std::size_t unit = lineEnd.size() / 2;
    const std::size_t firstUnit = FirstUnitStart(unit, intoLine);
    const std::size_t lf = lineEnd.find('\n');  // where the searched byte lies in a line end
    for (std::size_t searched = most; searched > lf;) {
        const void* found = ::memrchr(bytes + lf, '\n', searched - lf);
        if (found == nullptr)
            break;
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - bytes) - lf;
        if (end >= firstUnit && (end - firstUnit) % unit == 0 && end + lineEnd.size() <= most &&
            std::memcmp(bytes + end, lineEnd.data(), lineEnd.size()) == 0)
            return end + lineEnd.size();
        searched = end + lf;
    }
    return size;
}

}  // namespace tess

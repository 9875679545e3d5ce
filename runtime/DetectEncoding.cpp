#include "runtime/DetectEncoding.h"

namespace tess {

namespace {

bool StartsWith(std::string_view sample, std::string_view prefix)
{
    return sample.substr(0, prefix.size()) == prefix;
}

unsigned char At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Length of the well-formed UTF-8 sequence starting at `i`; 0 when ill-formed. A sequence that
// the end of the sample cuts short counts as well-formed when `cutAllowed`: the rest may lie
// beyond the sample.
std::size_t WellFormedLength(std::string_view s, std::size_t i, bool cutAllowed)
{
    const unsigned char b = At(s, i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k == s.size())
            return cutAllowed ? length : 0;
        const unsigned char c = At(s, i + k);
        if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
            return 0;
    }
    return length;
}

bool IsUtf8WithMultiByte(std::string_view s, bool cutAllowed)
{
    bool multiByte = false;
    for (std::size_t i = 0; i < s.size();) {
        if (At(s, i) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = WellFormedLength(s, i, cutAllowed);
        if (length == 0)
            return false;
        multiByte = true;
        i += length;
    }
    return multiByte;
}

// UTF-16 text of Latin letters, digits, punctuation and line ends has a NUL in the high byte of
// nearly every unit; Chinese text still has one in each line end, space and digit. ASCII that
// merely holds a few NUL bytes has them on either side and far apart. So: a NUL in the high
// byte of at least one unit in 64, and at most one NUL low byte for eight NUL high bytes
// (U+4E00 and its like have a NUL low byte).
bool LooksLikeUtf16(std::string_view s, std::size_t highPlace)
{
    const std::size_t units = s.size() / 2;
    std::size_t highNuls = 0, lowNuls = 0;
    for (std::size_t u = 0; u < units; ++u) {
        highNuls += At(s, 2 * u + highPlace) == 0;
        lowNuls += At(s, 2 * u + 1 - highPlace) == 0;
    }
    return highNuls > 0 && highNuls * 64 >= units && lowNuls * 8 <= highNuls;
}

}  // namespace

Detection DetectEncoding(std::string_view sample, bool endsSource)
{
    // A character cut off by the source's own end is ill-formed: UTF-16 text whose last unit's
    // first byte reads as a UTF-8 lead is not taken for UTF-8.
    const bool cutAllowed = !endsSource || sample.size() > kDetectionSample;
    sample = sample.substr(0, kDetectionSample);
    using namespace std::string_view_literals;
    if (StartsWith(sample, "\xFF\xFE\0\0"sv) || StartsWith(sample, "\0\0\xFE\xFF"sv))
        return {Encoding::DoubleByte, 0, true};
    for (const Encoding e : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE})
        if (StartsWith(sample, MarkBytes(e)))
            return {e, MarkBytes(e).size(), false};
    if (IsUtf8WithMultiByte(sample, cutAllowed))
        return {Encoding::Utf8, 0, false};
    if (LooksLikeUtf16(sample, 1))
        return {Encoding::Utf16LE, 0, false};
    if (LooksLikeUtf16(sample, 0))
        return {Encoding::Utf16BE, 0, false};
    return {Encoding::DoubleByte, 0, false};
}

Detection NamedEncoding(Encoding encoding, std::string_view sample)
{
    const std::string_view mark = MarkBytes(encoding);
    return {encoding, !mark.empty() && StartsWith(sample, mark) ? mark.size() : 0, false};
}

}  // namespace tess

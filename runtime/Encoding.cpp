#include "runtime/Encoding.h"

namespace tess {

using namespace std::string_view_literals;

std::string_view LineEndBytes(Encoding e)
{
    switch (e) {
    case Encoding::Utf16LE: return "\r\0\n\0"sv;
    case Encoding::Utf16BE: return "\0\r\0\n"sv;
    case Encoding::DoubleByte:
    case Encoding::Utf8: break;
    }
    return "\r\n"sv;
}

std::string_view MarkBytes(Encoding e)
{
    switch (e) {
    case Encoding::Utf8: return "\xEF\xBB\xBF"sv;
    case Encoding::Utf16LE: return "\xFF\xFE"sv;
    case Encoding::Utf16BE: return "\xFE\xFF"sv;
    case Encoding::DoubleByte: break;
    }
    return {};
}

std::string_view EncodingName(Encoding e)
{
    switch (e) {
    case Encoding::Utf8: return "utf-8";
    case Encoding::Utf16LE: return "utf-16le";
    case Encoding::Utf16BE: return "utf-16be";
    case Encoding::DoubleByte: break;
    }
    return "gb18030";
}

}  // namespace tess

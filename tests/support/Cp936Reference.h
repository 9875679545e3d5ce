#pragma once

#include <cstddef>
#include <string_view>

namespace tess::testing {

// The CP936 character count done the slow, obvious way, one byte at a time, to check the fast one.
inline std::size_t ReferenceCp936Chars(std::string_view bytes)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < bytes.size(); ++chars) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const bool canLead = lead >= 0x81 && lead <= 0xFE;
        if (canLead && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) {
                i += 2;
                continue;
            }
        }
        ++i;
    }
    return chars;
}

}  // namespace tess::testing

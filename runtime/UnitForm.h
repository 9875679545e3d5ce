#pragma once

#include <cstddef>

namespace tess {

// An encoding's code unit as constants, for the loops that see every line and are built once
// for each form: the unit's bytes, and where in it the low byte lies.
template <std::size_t Bytes, std::size_t LowByte>
struct UnitForm {
    static constexpr std::size_t kBytes = Bytes;
    static constexpr std::size_t kLowByte = LowByte;
};
using ByteUnits = UnitForm<1, 0>;
using Utf16LEUnits = UnitForm<2, 0>;
using Utf16BEUnits = UnitForm<2, 1>;

}  // namespace tess

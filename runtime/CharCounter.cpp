#include "runtime/CharCounter.h"

#include "runtime/NonCharacterScan.h"

namespace tess {

NonCharacters FindNonCharacters(Encoding encoding, const char* p, unsigned valid, NonCharacterCarry& carry)
{
    const chunk::Chunk<simd::Vec16> c(p, valid);
    switch (encoding) {
    case Encoding::DoubleByte: return nonchar::Find<Encoding::DoubleByte>(c, valid, carry);
    case Encoding::Utf8: return nonchar::Find<Encoding::Utf8>(c, valid, carry);
    case Encoding::Utf16LE: return nonchar::Find<Encoding::Utf16LE>(c, valid, carry);
    case Encoding::Utf16BE: break;
    }
    return nonchar::Find<Encoding::Utf16BE>(c, valid, carry);
}
std::size_t CharCounter::count(const char* bytes, std::size_t size, NonCharacterCarry& carry) const
{
    std::size_t chars = 0;
    for (std::size_t at = 0; at < size; at += chunk::kBytes) {
        const auto valid = static_cast<unsigned>(size - at < chunk::kBytes ? size - at : chunk::kBytes);
        const NonCharacters non = FindNonCharacters(encoding_, bytes + at, valid, carry);
        const std::uint64_t in = chunk::LowBits(valid);
        chars += valid - static_cast<std::size_t>(nonchar::Weight(non, in));
    }
    return chars;
}

}  // namespace tess

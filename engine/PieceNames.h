#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tess {

// The file name in the path of the source as it is opened: what follows its last "/", spaces
// and all.
std::string SourceFileName(std::string_view sourcePath);

// A file name without its last four characters (UTF-8 characters, not bytes): "book.txt" gives
// "book", "readme" gives "re". A name of fewer than four characters is kept whole.
std::string BaseName(std::string_view fileName);

// destination + base name + number + ".txt", joined with nothing between them.
std::string PiecePath(const std::string& destination, const std::string& baseName, std::uint64_t number);

}  // namespace tess

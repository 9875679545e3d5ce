#include "engine/PieceNames.h"

namespace tess {

std::string SourceFileName(std::string_view sourcePath)
{
    const auto slash = sourcePath.rfind('/');
    return std::string(slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1));
}

std::string BaseName(std::string_view fileName)
{
    std::size_t end = fileName.size();
    for (int removed = 0; removed < 4; ++removed) {
        if (end == 0)
            return std::string(fileName);
        --end;
        while (end > 0 && (static_cast<unsigned char>(fileName[end]) & 0xC0) == 0x80)
            --end;  // back over the continuation bytes to the start of the character
    }
    return std::string(fileName.substr(0, end));
}

std::string PiecePath(const std::string& destination, const std::string& baseName, std::uint64_t number)
{
    return destination + baseName + std::to_string(number) + ".txt";
}

}  // namespace tess

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace tess {

// Flags of the OPENFILENAME record that the Linux dialog gives a meaning.
inline constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;
inline constexpr std::uint32_t OFN_ALLOWMULTISELECT = 0x200;
inline constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x800;
inline constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x1000;
// Always in effect on Linux; kept because it is part of what a multiple-selection open asks for.
inline constexpr std::uint32_t OFN_EXPLORER = 0x80000;

// The record a file dialog is described by and answers in, field by field in the classic
// layout. Texts are UTF-8 (paths are the file system's bytes) and may hold NUL characters; a
// text that was never assigned is absent, which the dialog reads as "use your default". The
// buffers lpstrFile and lpstrFileTitle are exactly nMaxFile and nMaxFileTitle bytes long.
struct OPENFILENAME {
    std::uint32_t lStructSize = 0;
    QWidget* hwndOwner = nullptr;            // the window that owns the dialog; not owned by the record
    const void* hInstance = nullptr;         // no module handles on Linux; always null
    std::optional<std::string> lpstrFilter;  // description NUL pattern NUL ... NUL NUL
    std::optional<std::string> lpstrCustomFilter;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;        // 1-based entry of lpstrFilter; the dialog writes it back
    std::optional<std::string> lpstrFile;  // in: the proposed name; out: the choice
    std::uint32_t nMaxFile = 0;
    std::optional<std::string> lpstrFileTitle;
    std::uint32_t nMaxFileTitle = 0;
    std::optional<std::string> lpstrInitialDir;
    std::optional<std::string> lpstrTitle;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    std::optional<std::string> lpstrDefExt;
    std::intptr_t lCustData = 0;
    const void* lpfnHook = nullptr;  // hooks do not exist on Linux; always null
    std::optional<std::string> lpTemplateName;
};

// A record text up to its first NUL; the whole text when it holds none.
inline std::string BeforeNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

}  // namespace tess

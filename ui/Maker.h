#pragma once

namespace tess {

// Who makes the tool, as the window shows it. Stand-ins until the maker has a domain of its own.
inline constexpr const char* kMakerDomain = "corvel.example";             // ends the window caption
inline constexpr const char* kMakerHost = "corvel.example";               // ends the link label's text
inline constexpr const char* kMakerHomePage = "https://corvel.example/";  // what the link opens

}  // namespace tess

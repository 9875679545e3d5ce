#pragma once

#include <string>

namespace tess {

// The application title: the caption of every message box that names no title of its own.
inline constexpr const char* kAppTitle = "Quorrax";

// Button and icon of a modal message box; every box has an OK button only.
enum class MessageStyle { Plain = 0, Error = 16, Information = 64 };

// A modal message box provided by the host. Returns when the user has dismissed it.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void showMessage(const std::string& text, MessageStyle style, const std::string& title) = 0;
};

}  // namespace tess

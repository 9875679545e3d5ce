#pragma once

#include <string>

namespace tess {

// The system's text for an error number, as strerror gives it in the current locale.
std::string SystemErrorText(int code);

}  // namespace tess

#include "runtime/SystemError.h"

#include <cstring>

namespace tess {

std::string SystemErrorText(int code)
{
    char buffer[256];
    // The GNU strerror_r returns a pointer that may or may not be `buffer`.
    return ::strerror_r(code, buffer, sizeof buffer);
}

}  // namespace tess

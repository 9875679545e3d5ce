#pragma once

namespace tess {

// The first CR or LF in [from, to), or `to` when there is none. Scans sixteen bytes a step;
// never reads outside the range.
const char* FindLineEnd(const char* from, const char* to);

}  // namespace tess

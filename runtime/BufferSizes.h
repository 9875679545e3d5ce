#pragma once

#include <cstddef>

namespace tess {

// The buffers a split reads and writes through, unless told otherwise: the reader's, the
// writer's and a run's request take their defaults from here.
// A read block small enough to stay in the core's cache beside the write buffer until the split
// has passed over it: 1 MiB blocks cost size mode a tenth more.
inline constexpr std::size_t kDefaultReadBlock = 256 << 10;
inline constexpr std::size_t kDefaultWriteBuffer = 1 << 20;

}  // namespace tess

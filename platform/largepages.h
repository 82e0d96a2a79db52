#pragma once

#include <cstddef>

// Asks the system to back a large buffer that is about to be filled with
// large pages where it can. A camera's picture is some 48 MB of pixels;
// filled a small page at a time, the faults of the first touch cost as much
// as the decoding itself. Only a hint: where the system offers no large
// pages nothing changes.
void adviseLargePages(void *begin, std::size_t bytes);

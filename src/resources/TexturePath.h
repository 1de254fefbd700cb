// Texture files live under image\ relative to the current directory; both
// texture kinds build their path the same way, in a fixed-size buffer.
#pragma once

#include <cstddef>

namespace tavrix {

constexpr std::size_t kTexturePathSize = 512;

// Writes "image\\" followed by name into path; false (and an empty path)
// when the name does not fit with the terminator, rather than loading a
// truncated name that could be some other file.
bool BuildTexturePath(const char* name, char (&path)[kTexturePathSize]);

}  // namespace tavrix

// Turning the library's texture paths ("image\\Fire.png", relative to the
// game's folder, written with backslashes and in whatever letter case the
// effect's author used) into a file under the host's root folder.
#pragma once

#include <string>

namespace tavrix::sdl2 {

// The file, or an empty string when there is none. Each part of the path
// matches the folder entry of that name, or else the first entry equal to it
// but for the case of A to Z. Effect files come from anywhere, so a path
// that would leave the root (an absolute path, "..") finds nothing.
std::string ResolveImagePath(const std::string& root, const std::string& libraryPath);

}  // namespace tavrix::sdl2

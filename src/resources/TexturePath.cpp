// Building the image\ path of a texture without truncation.
#include "resources/TexturePath.h"

#include <cstring>

namespace tavrix {

bool BuildTexturePath(const char* name, char (&path)[kTexturePathSize]) {
  static const char kFolder[] = "image\\";
  const std::size_t folderLength = sizeof(kFolder) - 1;
  const std::size_t nameLength = name ? std::strlen(name) : 0;
  path[0] = '\0';
  if (!name || folderLength + nameLength + 1 > kTexturePathSize) return false;
  std::memcpy(path, kFolder, folderLength);
  std::memcpy(path + folderLength, name, nameLength + 1);
  return true;
}

}  // namespace tavrix

// _stricmp: compares with A to Z folded to lower case, bytes as unsigned.
#include "platform/Win32.h"

int _stricmp(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y || x == 0) return x - y;
  }
}

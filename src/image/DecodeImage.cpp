// Choosing a decoder by the file's first bytes rather than its name, so a
// texture saved with the wrong extension still loads.
#include <cstring>

#include "image/Decoders.h"

namespace tavrix {
namespace {

bool StartsWith(const uint8_t* bytes, size_t size, const char* signature, size_t length) {
  return size >= length && std::memcmp(bytes, signature, length) == 0;
}

}  // namespace

HRESULT DecodeImage(const uint8_t* bytes, size_t size, ImageData* image) {
  if (StartsWith(bytes, size, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(bytes, size, image);
  if (StartsWith(bytes, size, "\xFF\xD8\xFF", 3)) return DecodeJpeg(bytes, size, image);
  if (StartsWith(bytes, size, "DDS ", 4)) return DecodeDds(bytes, size, image);
  if (StartsWith(bytes, size, "BM", 2)) return DecodeBmp(bytes, size, image);
  return DecodeTga(bytes, size, image);
}

}  // namespace tavrix

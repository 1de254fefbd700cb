// Each image decoder on hostile bytes. The first byte picks the decoder, so
// every one of them sees mutated input whatever signature it carries; 5 and
// above go through the choice by signature.
#include <cstddef>
#include <cstdint>

#include "image/Decoders.h"
#include "image/ImageData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  using Decoder = HRESULT (*)(const uint8_t*, size_t, tavrix::ImageData*);
  static const Decoder decoders[] = {tavrix::DecodePng, tavrix::DecodeJpeg, tavrix::DecodeBmp,
                                     tavrix::DecodeTga, tavrix::DecodeDds,  tavrix::DecodeImage};
  tavrix::ImageData image;
  decoders[data[0] % 6](data + 1, size - 1, &image);
  image.Clear();
  return 0;
}

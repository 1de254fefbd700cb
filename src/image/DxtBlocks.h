// Decoding of the 4 × 4 compressed blocks of DXT1, DXT3 and DXT5 into
// A8R8G8B8 pixels.
#pragma once

#include <cstdint>

namespace tavrix {

enum class DxtKind { Dxt1, Dxt3, Dxt5 };

// Bytes one block takes: 8 for DXT1, 16 otherwise.
uint32_t DxtBlockBytes(DxtKind kind);

// Writes the block's 16 pixels, row by row, into out. A DXT1 block in its
// three-colour mode gives transparent black for index 3.
void DecodeDxtBlock(DxtKind kind, const uint8_t* block, uint32_t out[16]);

}  // namespace tavrix

// Short strings: one length byte and that many text bytes, no terminator in
// the stream. The length is the text's length modulo 256.
#include <cstring>

#include "base/DataStream.h"

namespace tavrix {

// Terminates after the bytes actually delivered, so a text cut short by the
// end of the data never shows stale destination bytes.
uint32_t ReadShortString(IDataStream& stream, char* destination) {
  if (!destination) return 0;
  uint8_t length = 0;
  if (stream.Read(&length, 1, 1) == 0) {
    destination[0] = 0;
    return 0;
  }
  const uint32_t count = stream.Read(destination, 1, length);
  destination[count] = 0;
  return count;
}

uint32_t WriteShortString(IDataStream& stream, const char* text) {
  if (!text) text = "";
  const auto length = static_cast<uint8_t>(std::strlen(text));
  if (stream.Write(&length, 1, 1) == 0) return 0;
  return stream.Write(text, 1, length);
}

}  // namespace tavrix

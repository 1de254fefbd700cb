// The stream interface every record reader and writer is written against.
#pragma once

#include <cstdint>

namespace tavrix {

class IDataStream {
 public:
  virtual bool Close() = 0;
  // Both return whole elements transferred; 0 means the field failed.
  virtual uint32_t Read(void* destination, uint32_t elementSize, uint32_t elementCount) = 0;
  virtual uint32_t Write(const void* source, uint32_t elementSize, uint32_t elementCount) = 0;
  // origin: 0 start, 1 current, 2 end.
  virtual bool Seek(int32_t offset, int32_t origin) = 0;
  virtual int32_t Tell() = 0;
  virtual int32_t GetSize() = 0;
  virtual bool IsOpen() = 0;
  virtual bool IsEof() = 0;
  virtual int32_t IsPastEnd() = 0;
  virtual bool PutByte(uint8_t byte) = 0;
  virtual int32_t GetByte() = 0;

 protected:
  ~IDataStream() = default;
};

// Record field helpers: each is one Read or Write of the field's width.
template <class T>
bool ReadField(IDataStream& stream, T& field) {
  return stream.Read(&field, sizeof(T), 1) != 0;
}
template <class T>
bool WriteField(IDataStream& stream, const T& field) {
  return stream.Write(&field, sizeof(T), 1) != 0;
}

// Flags are single bytes where any nonzero value means true; they are read
// through a byte because a bool may hold only 0 or 1.
inline bool ReadFlag(IDataStream& stream, bool& flag) {
  uint8_t byte = 0;
  if (!ReadField(stream, byte)) return false;
  flag = byte != 0;
  return true;
}
inline bool WriteFlag(IDataStream& stream, bool flag) {
  return WriteField(stream, static_cast<uint8_t>(flag ? 1 : 0));
}

// Short strings: a length byte and that many bytes. destination holds 256.
uint32_t ReadShortString(IDataStream& stream, char* destination);
uint32_t WriteShortString(IDataStream& stream, const char* text);

// Type tags: four ASCII letters read as a little-endian 32-bit integer.
enum TypeTag : uint32_t {
  EffectTag = 0x53505654u,     // "TVPS"
  EmitterTag = 0x44325445u,    // "ET2D"
  SubEffectTag = 0x44324553u,  // "SE2D"
};

}  // namespace tavrix

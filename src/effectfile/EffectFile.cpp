// Loading and saving effect files around the cipher. Everything goes
// through memory: a file is read whole before it is deciphered, and a record
// is written whole into a stream before it is enciphered and written out.
#include "effectfile/EffectFile.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/Allocator.h"
#include "effectfile/Effect.h"
#include "effectfile/EffectCipher.h"
#include "effectfile/MemoryStream.h"
#include "platform/FileAccess.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

const char kTemporarySuffix[] = ".tmp";

int32_t ReadPlainRecord(uint8_t* plain, int32_t length, Effect& effect) {
  MemoryStream stream(plain, length);
  int32_t result = effect.Read(stream);
  stream.Attach(nullptr, 0);
  stream.Close();
  return result;
}

// The file's length, or 0 when it cannot be found; -1 when it is too long
// for the cipher's 32-bit lengths.
long EffectFileLength(std::FILE* file) {
  const long length = FileLength(file);
  if (length < 0) return 0;
  return length > INT32_MAX ? -1 : length;
}

bool WriteWholeFile(const char* path, const uint8_t* bytes, uint32_t length) {
  std::FILE* file = OpenFile(path, "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes, 1, length, file) == length;
  bool closed = std::fclose(file) == 0;
  return written && closed;
}

void RemoveFile(const char* path) {
  char resolved[4096];
  if (ResolvePath(path, resolved, sizeof resolved, true)) std::remove(resolved);
}

// Writes the bytes beside path and moves them over it.
bool ReplaceFileContents(const char* path, const uint8_t* bytes, uint32_t length) {
  size_t pathLength = std::strlen(path);
  char* temporary = static_cast<char*>(
      AllocateBytes(static_cast<uint32_t>(pathLength + sizeof kTemporarySuffix)));
  if (!temporary) return false;
  std::memcpy(temporary, path, pathLength);
  std::memcpy(temporary + pathLength, kTemporarySuffix, sizeof kTemporarySuffix);
  bool replaced = WriteWholeFile(temporary, bytes, length) && ReplaceFile(temporary, path);
  if (!replaced) RemoveFile(temporary);
  FreeBytes(temporary);
  return replaced;
}

}  // namespace

int32_t ReadEffectBytes(const uint8_t* fileBytes, int32_t length, Effect& effect) {
  if (length <= 0) return ReadPlainRecord(nullptr, 0, effect);
  uint8_t* plain = static_cast<uint8_t*>(AllocateBytes(static_cast<uint32_t>(length)));
  if (!plain) return EffectAllocFailed;

  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  uint32_t plainLength = static_cast<uint32_t>(length);
  EffectCipher cipher;
  // A failure before any plain byte is written leaves the length as it was.
  if (!cipher.Decipher(fileBytes, length, key, plain, &plainLength) &&
      plainLength == static_cast<uint32_t>(length)) {
    plainLength = 0;
  }
  int32_t result = ReadPlainRecord(plain, static_cast<int32_t>(plainLength), effect);
  FreeBytes(plain);
  return result;
}

int32_t ReadEffectFile(std::FILE* file, Effect& effect) {
  long length = EffectFileLength(file);
  uint8_t* bytes = nullptr;
  if (length != 0) {
    bytes =
        length > 0 ? static_cast<uint8_t*>(AllocateBytes(static_cast<uint32_t>(length))) : nullptr;
    if (!bytes) {
      std::fclose(file);
      return EffectAllocFailed;
    }
    length = static_cast<long>(std::fread(bytes, 1, static_cast<size_t>(length), file));
  }
  std::fclose(file);
  int32_t result = ReadEffectBytes(bytes, static_cast<int32_t>(length), effect);
  if (bytes) FreeBytes(bytes);
  return result;
}

int32_t SaveEffectFile(Effect& effect, const char* path) {
  MemoryStream stream(nullptr, 0);
  stream.CreateEmpty();
  stream.Reserve(1024);
  int32_t result = effect.Write(stream);
  if (result < 0) return result;

  int32_t plainLength = stream.GetSize();
  uint8_t* plain = stream.TakeBuffer(true);

  EffectCipher cipher;
  int32_t length = cipher.GetEncipheredLength(plainLength);
  uint8_t* enciphered = static_cast<uint8_t*>(AllocateBytes(static_cast<uint32_t>(length)));
  bool saved = false;
  if (enciphered) {
    uint8_t key[kEffectKeyBufferSize];
    BuildEffectKey(key);
    uint32_t written = 0;
    cipher.Encipher(plain, plainLength, key, enciphered, &written);
    saved = ReplaceFileContents(path, enciphered, written);
    FreeBytes(enciphered);
  }
  std::free(plain);
  return saved ? result : SaveFileOpenFailed;
}

}  // namespace tavrix

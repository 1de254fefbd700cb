// Finds the sub-effect emitter records in the deciphered record by their
// layout: the "SE2D" tag, a version from 1, a short name, the enabled flag,
// three floats and the nested file's name. Walking the whole record would
// need every track's layout; a false match costs at most a file looked for
// in vain, which the library ignores as it ignores any missing nested file.
#include "NestedFiles.h"

#include <algorithm>
#include <cstring>

#include "base/DataStream.h"
#include "effectfile/EffectCipher.h"

namespace tavrix::web {
namespace {

constexpr size_t kFieldsBeforeFile = 1 + 3 * 4;  // enabled flag, position x, y, start delay
constexpr uint32_t kLatestVersion = 255;         // far above any written

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

bool Printable(const std::vector<uint8_t>& bytes, size_t at, size_t length) {
  return std::all_of(bytes.begin() + long(at), bytes.begin() + long(at + length),
                     [](uint8_t c) { return c >= 0x20 && c != 0x7F; });
}

// The nested file named by a record at at, or empty.
std::string FileAt(const std::vector<uint8_t>& plain, size_t at) {
  if (at + 9 > plain.size() || Word(plain, at) != SubEffectTag) return {};
  const uint32_t version = Word(plain, at + 4);
  if (version < 1 || version > kLatestVersion) return {};
  const size_t name = at + 8;
  const size_t file = name + 1 + plain[name] + kFieldsBeforeFile;
  if (file >= plain.size() || !Printable(plain, name + 1, plain[name])) return {};
  const size_t length = plain[file];
  if (length == 0 || file + 1 + length > plain.size() || !Printable(plain, file + 1, length))
    return {};
  return std::string(plain.begin() + long(file + 1), plain.begin() + long(file + 1 + length));
}

}  // namespace

std::vector<std::string> NestedFiles(const uint8_t* file, int32_t length) {
  std::vector<std::string> names;
  if (!file || length <= 0) return names;
  std::vector<uint8_t> plain(static_cast<size_t>(length));
  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  uint32_t plainLength = uint32_t(length);
  EffectCipher cipher;
  if (!cipher.Decipher(file, length, key, plain.data(), &plainLength)) return names;
  plain.resize(std::min<size_t>(plainLength, plain.size()));
  for (size_t at = 0; at < plain.size(); ++at) {
    std::string name = FileAt(plain, at);
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(std::move(name));
  }
  return names;
}

}  // namespace tavrix::web

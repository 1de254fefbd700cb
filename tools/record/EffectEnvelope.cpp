#include "record/EffectEnvelope.h"

#include <cstdint>
#include <cstdlib>

#include "effectfile/EffectCipher.h"

namespace tavrix::record {

std::optional<Bytes> DecipherEffect(const Bytes& file) {
  if (file.empty() || file.size() > INT32_MAX) return std::nullopt;
  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  Bytes plain(file.size());
  uint32_t length = static_cast<uint32_t>(plain.size());
  EffectCipher cipher;
  if (!cipher.Decipher(file.data(), static_cast<int32_t>(file.size()), key, plain.data(), &length))
    return std::nullopt;
  plain.resize(length);
  return plain;
}

Bytes EncipherEffect(const Bytes& plain) {
  // The envelope's random bytes come from the standard generator: started
  // from its first state, one record always packs to the same file, in the
  // tavrix program and in the editor alike.
  std::srand(1);
  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  EffectCipher cipher;
  const int32_t length = cipher.GetEncipheredLength(static_cast<int32_t>(plain.size()));
  Bytes file(static_cast<size_t>(length));
  uint32_t written = 0;
  static const uint8_t nothing = 0;
  cipher.Encipher(plain.empty() ? &nothing : plain.data(), static_cast<int32_t>(plain.size()), key,
                  file.data(), &written);
  file.resize(written);
  return file;
}

}  // namespace tavrix::record

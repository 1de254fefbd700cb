// The effect-file cipher against a reference written here from the envelope
// and chaining rules, round trips of every small length, and each way
// deciphering can fail.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/Allocator.h"
#include "effectfile/EffectCipher.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

using Bytes = std::vector<uint8_t>;

// Reference TEA over words, 16 cycles.
void ReferenceTea(uint32_t v[2], const uint32_t k[4]) {
  uint32_t sum = 0;
  for (int i = 0; i < 16; ++i) {
    sum += 0x9E3779B9u;
    v[0] += ((v[1] << 4) + k[0]) ^ (v[1] + sum) ^ ((v[1] >> 5) + k[1]);
    v[1] += ((v[0] << 4) + k[2]) ^ (v[0] + sum) ^ ((v[0] >> 5) + k[3]);
  }
}

uint32_t Word(const uint8_t* p) {
  uint32_t w = 0;
  for (int i = 0; i < 4; ++i) w = w * 256 + p[i];
  return w;
}

Bytes ReferenceBlock(const uint8_t* block, const uint8_t* key) {
  uint32_t v[2] = {Word(block), Word(block + 4)};
  const uint32_t k[4] = {Word(key), Word(key + 4), Word(key + 8), Word(key + 12)};
  ReferenceTea(v, k);
  Bytes out(8);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(v[i / 4] >> (24 - 8 * (i % 4)));
  return out;
}

// Enciphers a whole envelope: X(i) = P(i) ^ C(i-1), C(i) = TEA(X(i)) ^ X(i-1).
Bytes ReferenceChain(const Bytes& envelope, const uint8_t* key) {
  Bytes out;
  Bytes prevX(8, 0), prevC(8, 0);
  for (size_t b = 0; b < envelope.size(); b += 8) {
    Bytes x(8);
    for (int i = 0; i < 8; ++i) x[i] = envelope[b + i] ^ prevC[i];
    Bytes c = ReferenceBlock(x.data(), key);
    for (int i = 0; i < 8; ++i) c[i] ^= prevX[i];
    out.insert(out.end(), c.begin(), c.end());
    prevX = x;
    prevC = c;
  }
  return out;
}

// The envelope with the header, fill and salt taken from rand in order.
Bytes ReferenceEnvelope(const Bytes& plain) {
  const int fill = (8 - (static_cast<int>(plain.size()) + 10) % 8) % 8;
  Bytes envelope;
  envelope.push_back(static_cast<uint8_t>((std::rand() & 0xF8) | fill));
  for (int i = 0; i < fill + 2; ++i) envelope.push_back(static_cast<uint8_t>(std::rand()));
  envelope.insert(envelope.end(), plain.begin(), plain.end());
  envelope.insert(envelope.end(), 7, 0);
  return envelope;
}

Bytes Pattern(size_t n, uint8_t start) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(start + i * 37);
  return b;
}

class EffectCipherTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildEffectKey(key); }

  Bytes Encipher(const Bytes& plain) {
    Bytes out(cipher.GetEncipheredLength(static_cast<int32_t>(plain.size())));
    uint32_t length = 0xDEADu;
    const uint8_t dummy = 0;
    cipher.Encipher(plain.empty() ? &dummy : plain.data(), static_cast<int32_t>(plain.size()), key,
                    out.data(), &length);
    EXPECT_EQ(length, out.size());
    return out;
  }

  EffectCipher cipher;
  uint8_t key[kEffectKeyBufferSize];
};

TEST_F(EffectCipherTest, KeyIsTheLettersThenZeros) {
  EXPECT_EQ(std::memcmp(key, "TideLamp", 8), 0);
  for (uint32_t i = 8; i < kEffectKeyBufferSize; ++i) EXPECT_EQ(key[i], 0) << i;
}

TEST_F(EffectCipherTest, EncipheredLengthRoundsUpPastTheEnvelope) {
  EXPECT_EQ(cipher.GetEncipheredLength(0), 16);
  EXPECT_EQ(cipher.GetEncipheredLength(6), 16);
  EXPECT_EQ(cipher.GetEncipheredLength(7), 24);
  EXPECT_EQ(cipher.GetEncipheredLength(14), 24);
  EXPECT_EQ(cipher.GetEncipheredLength(15), 32);
  EXPECT_EQ(cipher.GetEncipheredLength(-1), -1);
  EXPECT_EQ(cipher.GetEncipheredLength(INT32_MAX), -1);
}

TEST_F(EffectCipherTest, BlockRoutinesMatchTheReferenceAndInvert) {
  uint8_t block[8] = {0, 1, 2, 3, 0xFC, 0xFD, 0xFE, 0xFF};
  uint8_t out[8];
  TeaEncipherBlock(block, key, out);
  EXPECT_EQ(Bytes(out, out + 8), ReferenceBlock(block, key));
  TeaDecipherBlock(out, key, out);
  EXPECT_EQ(Bytes(out, out + 8), Bytes(block, block + 8));
}

TEST_F(EffectCipherTest, EnciphersExactlyAsTheChainingRuleSays) {
  for (size_t n : {0u, 5u, 6u, 7u, 30u, 123u}) {
    const Bytes plain = Pattern(n, 3);
    std::srand(42);
    const Bytes expected = ReferenceChain(ReferenceEnvelope(plain), key);
    std::srand(42);
    EXPECT_EQ(Encipher(plain), expected) << n;
  }
}

TEST_F(EffectCipherTest, EnvelopeLayoutForFiveAndSixBytes) {
  // Decipher the first block alone: header, fill, salt, then plain bytes.
  uint8_t first[8];
  std::srand(3);
  Bytes five = Encipher(Pattern(5, 100));
  ASSERT_EQ(five.size(), 16u);
  TeaDecipherBlock(five.data(), key, first);
  EXPECT_EQ(first[0] & 7, 1);
  const Bytes plain = Pattern(6, 100);
  EXPECT_EQ(Bytes(first + 4, first + 8), Bytes(plain.begin(), plain.begin() + 4));
  Bytes six = Encipher(Pattern(6, 100));
  ASSERT_EQ(six.size(), 16u);
  TeaDecipherBlock(six.data(), key, first);
  EXPECT_EQ(first[0] & 7, 0);
  EXPECT_EQ(Bytes(first + 3, first + 8), Bytes(plain.begin(), plain.begin() + 5));
}

TEST_F(EffectCipherTest, RoundTripsEveryLengthWhateverRandReturns) {
  for (unsigned seed : {1u, 99u, 2024u}) {
    std::srand(seed);
    for (size_t n = 0; n <= 300; ++n) {
      const Bytes plain = Pattern(n, static_cast<uint8_t>(seed + n));
      const Bytes enciphered = Encipher(plain);
      Bytes output(n + 1, 0xCC);
      uint32_t length = static_cast<uint32_t>(output.size());
      ASSERT_TRUE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                                  output.data(), &length))
          << seed << " " << n;
      ASSERT_EQ(length, n);
      ASSERT_EQ(Bytes(output.begin(), output.begin() + n), plain) << n;
      ASSERT_EQ(output[n], 0xCC) << n;
    }
  }
}

TEST_F(EffectCipherTest, HeaderHighBitsAreIgnored) {
  const Bytes plain = Pattern(11, 9);
  Bytes envelope = ReferenceEnvelope(plain);
  for (int high : {0x00, 0xF8, 0x58}) {
    envelope[0] = static_cast<uint8_t>(high | (envelope[0] & 7));
    const Bytes enciphered = ReferenceChain(envelope, key);
    Bytes output(64);
    uint32_t length = 64;
    EXPECT_TRUE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                                output.data(), &length));
    EXPECT_EQ(Bytes(output.begin(), output.begin() + length), plain);
  }
}

TEST_F(EffectCipherTest, MissingPointersFailWithoutTouchingTheLength) {
  const Bytes enciphered = Encipher(Pattern(4, 0));
  uint8_t output[16];
  uint32_t length = 77;
  EXPECT_FALSE(cipher.Decipher(nullptr, 16, key, output, &length));
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), 16, nullptr, output, &length));
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), 16, key, nullptr, &length));
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), 16, key, output, nullptr));
  EXPECT_EQ(length, 77u);
  uint8_t untouched[16] = {};
  cipher.Encipher(nullptr, 4, key, untouched, &length);
  cipher.Encipher(output, 4, nullptr, untouched, &length);
  EXPECT_EQ(length, 77u);
}

TEST_F(EffectCipherTest, BadLengthsFailWithoutTouchingTheLength) {
  const Bytes enciphered = Encipher(Pattern(40, 0));
  uint8_t output[64];
  for (int32_t bad : {0, 8, 20, 15, -8, -16}) {
    uint32_t length = 64;
    EXPECT_FALSE(cipher.Decipher(enciphered.data(), bad, key, output, &length)) << bad;
    EXPECT_EQ(length, 64u) << bad;
  }
}

TEST_F(EffectCipherTest, FillCountSevenInSixteenBytesIsANegativeLength) {
  Bytes envelope(16, 0);
  envelope[0] = 0x07;
  const Bytes enciphered = ReferenceChain(envelope, key);
  uint8_t output[16];
  uint32_t length = 16;
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), 16, key, output, &length));
  EXPECT_EQ(length, 16u);
}

TEST_F(EffectCipherTest, RoomOfExactlyThePlainLengthIsEnough) {
  const Bytes plain = Pattern(21, 5);
  const Bytes enciphered = Encipher(plain);
  Bytes output(21);
  uint32_t length = 20;
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                               output.data(), &length));
  EXPECT_EQ(length, 20u);
  length = 21;
  EXPECT_TRUE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                              output.data(), &length));
  EXPECT_EQ(length, 21u);
  EXPECT_EQ(output, plain);
}

TEST_F(EffectCipherTest, FlippedBitInTheLastBlockFailsAtTheTrailingZeros) {
  const Bytes plain = Pattern(30, 1);
  for (size_t bit = 0; bit < 64; bit += 9) {
    Bytes enciphered = Encipher(plain);
    enciphered[enciphered.size() - 8 + bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    Bytes output(64);
    uint32_t length = 64;
    EXPECT_FALSE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                                 output.data(), &length))
        << bit;
    EXPECT_EQ(length, 30u) << bit;
  }
}

TEST_F(EffectCipherTest, WrongKeyFails) {
  const Bytes enciphered = Encipher(Pattern(50, 2));
  uint8_t wrong[kEffectKeyBufferSize];
  std::memcpy(wrong, key, sizeof wrong);
  wrong[15] = 1;
  Bytes output(64);
  uint32_t length = 64;
  EXPECT_FALSE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), wrong,
                               output.data(), &length));
  length = 64;
  EXPECT_TRUE(cipher.Decipher(enciphered.data(), static_cast<int32_t>(enciphered.size()), key,
                              output.data(), &length));
}

TEST_F(EffectCipherTest, DestroyingSlotFreesThroughTheAllocator) {
  test::ScopedAllocator scope;
  EffectCipher* heapCipher = New<EffectCipher>();
  ASSERT_NE(heapCipher, nullptr);
  EXPECT_EQ(heapCipher->GetEncipheredLength(1), 16);
  heapCipher->Destroy(1);
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

}  // namespace
}  // namespace tavrix

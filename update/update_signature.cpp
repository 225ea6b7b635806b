#include "update/update_signature.h"

#include <algorithm>

namespace tessaly {

namespace {

// Reads DER (the encoding of keys and certificates) one element at a time.
class DerReader {
 public:
  DerReader(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}

  // The next element of this tag: its content, or nothing when the next
  // element is another or runs past the end.
  std::optional<DerReader> Next(std::uint8_t tag) {
    if (end_ - at_ < 2 || *at_ != tag) return std::nullopt;
    const std::uint8_t* p = at_ + 1;
    std::size_t length = *p++;
    if (length & 0x80) {
      const std::size_t count = length & 0x7F;
      if (count == 0 || count > 4 || static_cast<std::size_t>(end_ - p) < count) return std::nullopt;
      length = 0;
      for (std::size_t i = 0; i < count; ++i) length = (length << 8) | *p++;
    }
    if (static_cast<std::size_t>(end_ - p) < length) return std::nullopt;
    at_ = p + length;
    return DerReader(p, length);
  }
  const std::uint8_t* Data() const { return at_; }
  std::size_t Size() const { return static_cast<std::size_t>(end_ - at_); }

 private:
  const std::uint8_t* at_;
  const std::uint8_t* end_;
};

constexpr std::uint8_t kSequence = 0x30, kInteger = 0x02, kBitString = 0x03, kObjectId = 0x06;
// 1.2.840.113549.1.1.1, rsaEncryption.
const std::uint8_t kRsaEncryption[] = {0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x01, 0x01};

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::string& text) {
  std::vector<std::uint8_t> out;
  std::uint32_t bits = 0;
  int count = 0;
  bool padded = false;
  for (char c : text) {
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
    if (c == '=') {
      padded = true;
      continue;
    }
    const int value = Base64Value(c);
    if (value < 0 || padded) return std::nullopt;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out.push_back(static_cast<std::uint8_t>(bits >> count));
    }
  }
  return out;
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::size_t RsaPublicKey::Bits() const {
  if (modulus.empty()) return 0;
  std::size_t bits = modulus.size() * 8;
  for (std::uint8_t top = modulus[0]; !(top & 0x80); top = static_cast<std::uint8_t>(top << 1)) --bits;
  return bits;
}

std::optional<RsaPublicKey> ParsePublicKeyPem(const std::string& pem) {
  const std::string begin = "-----BEGIN PUBLIC KEY-----", end = "-----END PUBLIC KEY-----";
  const std::size_t from = pem.find(begin);
  const std::size_t to = from == std::string::npos ? from : pem.find(end, from);
  if (to == std::string::npos) return std::nullopt;
  const std::optional<std::vector<std::uint8_t>> der = DecodeBase64(pem.substr(from + begin.size(), to - from - begin.size()));
  if (!der) return std::nullopt;
  DerReader outer(der->data(), der->size());
  std::optional<DerReader> info = outer.Next(kSequence);
  if (!info) return std::nullopt;
  std::optional<DerReader> algorithm = info->Next(kSequence);
  std::optional<DerReader> oid = algorithm ? algorithm->Next(kObjectId) : std::nullopt;
  if (!oid || oid->Size() != sizeof kRsaEncryption || !std::equal(kRsaEncryption, kRsaEncryption + sizeof kRsaEncryption, oid->Data()))
    return std::nullopt;
  std::optional<DerReader> bits = info->Next(kBitString);
  if (!bits || bits->Size() < 1 || *bits->Data() != 0) return std::nullopt;  // no unused bits
  DerReader keyBits(bits->Data() + 1, bits->Size() - 1);
  std::optional<DerReader> rsaKey = keyBits.Next(kSequence);
  std::optional<DerReader> modulus = rsaKey ? rsaKey->Next(kInteger) : std::nullopt;
  std::optional<DerReader> exponent = rsaKey ? rsaKey->Next(kInteger) : std::nullopt;
  if (!modulus || !exponent || exponent->Size() == 0 || exponent->Size() > 4) return std::nullopt;
  RsaPublicKey key;
  const std::uint8_t* m = modulus->Data();
  std::size_t size = modulus->Size();
  while (size > 0 && *m == 0) {  // the sign byte, and any leading zeros
    ++m;
    --size;
  }
  key.modulus.assign(m, m + size);
  for (std::size_t i = 0; i < exponent->Size(); ++i) key.exponent = (key.exponent << 8) | exponent->Data()[i];
  if (key.modulus.empty() || key.exponent == 0) return std::nullopt;
  return key;
}

std::vector<std::uint8_t> CryptoApiPublicKeyBlob(const RsaPublicKey& key) {
  constexpr std::uint8_t kPublicKeyBlob = 0x06, kBlobVersion = 0x02;
  constexpr std::uint32_t kCalgRsaSign = 0x00002400, kRsa1 = 0x31415352;  // "RSA1"
  std::vector<std::uint8_t> blob = {kPublicKeyBlob, kBlobVersion, 0, 0};
  PutLittleEndian(blob, kCalgRsaSign, 4);
  PutLittleEndian(blob, kRsa1, 4);
  PutLittleEndian(blob, static_cast<std::uint32_t>(key.Bytes() * 8), 4);
  PutLittleEndian(blob, key.exponent, 4);
  blob.insert(blob.end(), key.modulus.rbegin(), key.modulus.rend());
  return blob;
}

std::optional<std::vector<std::uint8_t>> CryptoApiSignature(const std::vector<std::uint8_t>& signature,
                                                            const RsaPublicKey& key) {
  if (key.modulus.empty() || signature.size() != key.Bytes()) return std::nullopt;
  return std::vector<std::uint8_t>(signature.rbegin(), signature.rend());
}

std::string SignatureUrl(const std::string& downloadUrl) { return downloadUrl + ".sig"; }

}  // namespace tessaly

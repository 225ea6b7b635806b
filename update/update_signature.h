#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// What the update check needs of the maker's RSA public key: its modulus
// (big-endian, without leading zero bytes) and its public exponent.
struct RsaPublicKey {
  std::vector<std::uint8_t> modulus;
  std::uint32_t exponent = 0;
  std::size_t Bytes() const { return modulus.size(); }
  std::size_t Bits() const;
};

// The key of a PEM "PUBLIC KEY" block (SubjectPublicKeyInfo of an RSA key,
// as "openssl pkey -pubout" writes it); nothing for any other text.
std::optional<RsaPublicKey> ParsePublicKeyPem(const std::string& pem);

// The key as the platform's CryptoAPI imports it (CryptImportKey): a
// PUBLICKEYBLOB header, RSAPUBKEY ("RSA1", bit length, exponent) and the
// modulus with its least significant byte first.
std::vector<std::uint8_t> CryptoApiPublicKeyBlob(const RsaPublicKey& key);

// A signature file larger than this is not read to its end: no signature of
// a key the program could hold is that long.
constexpr std::size_t kMaxSignatureBytes = 4096;

// The signature as CryptVerifySignature takes it, from the bytes that
// "openssl dgst -sha256 -sign" writes: the same number least significant byte
// first. Nothing unless it is exactly as long as the key's modulus.
std::optional<std::vector<std::uint8_t>> CryptoApiSignature(const std::vector<std::uint8_t>& signature,
                                                            const RsaPublicKey& key);

// The signature's address: the download's, with ".sig" appended.
std::string SignatureUrl(const std::string& downloadUrl);

}  // namespace tessaly

#include "update/update_signature.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/update_public_key.h"

using namespace tessaly;

namespace {

// A 512-bit key made with "openssl genpkey" for this test, and its modulus as
// "openssl rsa -pubin -noout -modulus" prints it.
const char* const kSmallKey =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFwwDQYJKoZIhvcNAQEBBQADSwAwSAJBANhQuDlJIq2A+xNlprB1uStQc1fppdtT\n"
    "AT46VC2eOE2iY2MOGsiERrmybIzYrIXUpAvY8vmx7MUT5+4cRHTFRHECAwEAAQ==\n"
    "-----END PUBLIC KEY-----\n";
const char* const kSmallModulus =
    "D850B8394922AD80FB1365A6B075B92B507357E9A5DB53013E3A542D9E384DA263630E1AC88446B9B26C8CD8AC85D4A40BD8F2F9B1ECC513E7"
    "EE1C4474C54471";

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST(UpdateSignature, APemPublicKeyGivesItsModulusAndExponent) {
  const std::optional<RsaPublicKey> key = ParsePublicKeyPem(kSmallKey);
  ASSERT_TRUE(key);
  EXPECT_EQ(Hex(key->modulus), kSmallModulus);  // the DER sign byte dropped
  EXPECT_EQ(key->exponent, 65537u);
  EXPECT_EQ(key->Bits(), 512u);
  // Text around the block, as in a file with comments, changes nothing.
  EXPECT_TRUE(ParsePublicKeyPem(std::string("a key:\r\n") + kSmallKey + "\r\n"));
}

TEST(UpdateSignature, TheBuiltInKeyIsAnRsaKeyOf3072Bits) {
  const std::optional<RsaPublicKey> key = ParsePublicKeyPem(kUpdatePublicKeyPem);
  ASSERT_TRUE(key) << "the key compiled in is unreadable: every update would be refused";
  EXPECT_EQ(key->Bits(), 3072u);
  EXPECT_EQ(key->Bytes(), 384u);
}

TEST(UpdateSignature, OtherTextIsNoKey) {
  const std::string ec =  // an elliptic-curve key: not RSA
      "-----BEGIN PUBLIC KEY-----\n"
      "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAE6N7YCM2tdVvCXCn4YqAEl3zIc4bM\n"
      "5GhGrtvisuGjoGvc0XjLJT3IiXnBZ4jwr59EDWaS56qHT9dJTbxKoKU+5Q==\n"
      "-----END PUBLIC KEY-----\n";
  const std::string pkcs1 =  // the same RSA key in the other layout, which the build does not take
      "-----BEGIN RSA PUBLIC KEY-----\n"
      "MEgCQQDYULg5SSKtgPsTZaawdbkrUHNX6aXbUwE+OlQtnjhNomNjDhrIhEa5smyM\n"
      "2KyF1KQL2PL5sezFE+fuHER0xURxAgMBAAE=\n"
      "-----END RSA PUBLIC KEY-----\n";
  std::string cut = kSmallKey;
  cut.erase(cut.find("AT46"), 30);  // a block cut short inside the modulus
  std::string garbled = kSmallKey;
  garbled[40] = '*';
  for (const std::string& text : {std::string(), std::string("hello"), ec, pkcs1, cut, garbled,
                                   std::string("-----BEGIN PUBLIC KEY-----\n-----END PUBLIC KEY-----\n")})
    EXPECT_FALSE(ParsePublicKeyPem(text)) << text;
}

TEST(UpdateSignature, TheBlobIsWhatCryptImportKeyReads) {
  const RsaPublicKey key = *ParsePublicKeyPem(kSmallKey);
  const std::vector<std::uint8_t> blob = CryptoApiPublicKeyBlob(key);
  ASSERT_EQ(blob.size(), 8u + 12u + 64u);
  // PUBLICKEYSTRUC: PUBLICKEYBLOB, version 2, reserved, CALG_RSA_SIGN.
  EXPECT_EQ(std::vector<std::uint8_t>(blob.begin(), blob.begin() + 8),
            (std::vector<std::uint8_t>{0x06, 0x02, 0, 0, 0x00, 0x24, 0, 0}));
  // RSAPUBKEY: "RSA1", 512 bits, exponent 65537, each least significant byte first.
  EXPECT_EQ(std::vector<std::uint8_t>(blob.begin() + 8, blob.begin() + 20),
            (std::vector<std::uint8_t>{'R', 'S', 'A', '1', 0x00, 0x02, 0, 0, 0x01, 0x00, 0x01, 0x00}));
  // The modulus, least significant byte first.
  EXPECT_EQ(blob[20], 0x71);
  EXPECT_EQ(blob.back(), 0xD8);
  EXPECT_EQ(Hex(std::vector<std::uint8_t>(blob.rbegin(), blob.rbegin() + 64)), kSmallModulus);
}

TEST(UpdateSignature, OnlyASignatureAsLongAsTheKeyIsTakenAndItsBytesAreTurnedRound) {
  const RsaPublicKey key = *ParsePublicKeyPem(kSmallKey);
  std::vector<std::uint8_t> signature(64);
  for (std::size_t i = 0; i < signature.size(); ++i) signature[i] = static_cast<std::uint8_t>(i);
  const std::optional<std::vector<std::uint8_t>> turned = CryptoApiSignature(signature, key);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->front(), 63);
  EXPECT_EQ(turned->back(), 0);
  for (std::size_t size : {0u, 1u, 63u, 65u, 128u, 4097u})
    EXPECT_FALSE(CryptoApiSignature(std::vector<std::uint8_t>(size, 1), key)) << size;
  EXPECT_FALSE(CryptoApiSignature(signature, RsaPublicKey{}));
  EXPECT_EQ(SignatureUrl("http://h/tessaly-2.02-setup.exe"), "http://h/tessaly-2.02-setup.exe.sig");
}

}  // namespace

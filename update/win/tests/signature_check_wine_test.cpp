// The update's signature checked with the platform's own CryptoAPI: a file
// signed with the test key by openssl (update/win/tests/signed), the same file
// changed in one byte, and signatures that are not the key's.
#include "update/win/signature_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "update/update_public_key.h"

namespace tessaly::win {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Fixture(const char* name) { return std::string(TESSALY_SIGNED_FIXTURES) + "/" + name; }

// A copy in the temporary folder, removed with the test.
class TempCopy {
 public:
  explicit TempCopy(const std::vector<std::uint8_t>& bytes) {
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "tessaly-signed-copy.bin";
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
  }
  ~TempCopy() { DeleteFileA(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(SignatureCheckOnWine, OnlyTheSignedBytesWithTheKeysSignaturePass) {
  const RsaPublicKey key = *ParsePublicKeyPem(kUpdatePublicKeyPem);
  const std::string file = Fixture("sample.bin");
  const std::vector<std::uint8_t> signature = ReadBytes(Fixture("sample.bin.sig"));
  ASSERT_EQ(signature.size(), 384u);
  EXPECT_TRUE(VerifyFileSignature(file, signature, key)) << "a good signature was refused";

  std::vector<std::uint8_t> changed = ReadBytes(file);
  changed[7] ^= 0x20;
  TempCopy copy(changed);
  EXPECT_FALSE(VerifyFileSignature(copy.Path(), signature, key)) << "a changed file passed";

  std::vector<std::uint8_t> wrong = signature;
  wrong[100] ^= 0x01;
  EXPECT_FALSE(VerifyFileSignature(file, wrong, key));
  EXPECT_FALSE(VerifyFileSignature(file, std::vector<std::uint8_t>(signature.begin(), signature.end() - 1), key));
  EXPECT_FALSE(VerifyFileSignature(file, {}, key));
  EXPECT_FALSE(VerifyFileSignature(Fixture("no-such-file.bin"), signature, key));
}

}  // namespace
}  // namespace tessaly::win

#include "update/win/signature_check.h"

#include <windows.h>
#include <wincrypt.h>

#include <optional>

#include "framework/win/handles.h"

// Windows XP SP3 on hashes with SHA-256; the headers name it only for
// builds that target SP3, and this one targets XP.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)  // ALG_SID_SHA_256
#endif

namespace tessaly::win {

namespace {

struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static void Close(HCRYPTPROV provider) { CryptReleaseContext(provider, 0); }
};
struct CryptKeyTraits {
  using Handle = HCRYPTKEY;
  static void Close(HCRYPTKEY key) { CryptDestroyKey(key); }
};
struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static void Close(HCRYPTHASH hash) { CryptDestroyHash(hash); }
};

// The file's bytes into the hash, a block at a time.
bool HashFile(HCRYPTHASH hash, const std::string& file) {
  UniqueFile input(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!input) return false;
  std::vector<BYTE> block(64 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(input.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return false;
    if (read == 0) return true;
    if (!CryptHashData(hash, block.data(), read, 0)) return false;
  }
}

}  // namespace

bool VerifyFileSignature(const std::string& file, const std::vector<std::uint8_t>& signature,
                         const RsaPublicKey& key) {
  const std::optional<std::vector<std::uint8_t>> reversed = CryptoApiSignature(signature, key);
  if (!reversed) return false;
  // The AES provider: the one that hashes with SHA-256 (Windows XP SP3 on);
  // a verify context needs no key container.
  HCRYPTPROV rawProvider = 0;
  if (!CryptAcquireContextA(&rawProvider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return false;
  UniqueHandle<CryptProviderTraits> provider(rawProvider);
  const std::vector<std::uint8_t> blob = CryptoApiPublicKeyBlob(key);
  HCRYPTKEY rawKey = 0;
  if (!CryptImportKey(provider.Get(), blob.data(), static_cast<DWORD>(blob.size()), 0, 0, &rawKey)) return false;
  UniqueHandle<CryptKeyTraits> publicKey(rawKey);
  HCRYPTHASH rawHash = 0;
  if (!CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, &rawHash)) return false;
  UniqueHandle<CryptHashTraits> hash(rawHash);
  if (!HashFile(hash.Get(), file)) return false;
  return CryptVerifySignatureA(hash.Get(), reversed->data(), static_cast<DWORD>(reversed->size()), publicKey.Get(),
                               nullptr, 0) != FALSE;
}

}  // namespace tessaly::win

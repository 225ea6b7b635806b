#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "update/update_signature.h"

namespace tessaly::win {

// Whether the file's bytes carry the signature (as "openssl dgst -sha256
// -sign" writes it: RSA, PKCS#1 v1.5 padding over SHA-256) of the key,
// checked with the platform's own CryptoAPI. False for anything that cannot
// be read or checked.
bool VerifyFileSignature(const std::string& file, const std::vector<std::uint8_t>& signature,
                         const RsaPublicKey& key);

}  // namespace tessaly::win

// The ciphers over CNG (bcrypt). A key keeps its algorithm provider and key handle for
// all its chunks; each chunk is one BCryptEncrypt/BCryptDecrypt call in GCM mode.
#include "platform/crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <climits>

namespace platform {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

// The additional data, nonce and tag of one chunk as CNG takes them.
BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO ModeInfo(const std::uint8_t* nonce, const void* aad, std::size_t aadSize,
                                               std::uint8_t* tag) {
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = const_cast<PUCHAR>(nonce);
  info.cbNonce = static_cast<ULONG>(k_gcmNonceSize);
  info.pbAuthData = aadSize ? static_cast<PUCHAR>(const_cast<void*>(aad)) : nullptr;
  info.cbAuthData = static_cast<ULONG>(aadSize);
  info.pbTag = tag;
  info.cbTag = static_cast<ULONG>(k_gcmTagSize);
  return info;
}

bool Fits(std::size_t aadSize, std::size_t size) { return aadSize <= ULONG_MAX && size <= ULONG_MAX; }

}  // namespace

bool RandomBytes(void* buffer, std::size_t count) {
  if (count > ULONG_MAX) return false;
  return count == 0 || Succeeded(BCryptGenRandom(nullptr, static_cast<PUCHAR>(buffer), static_cast<ULONG>(count),
                                                 BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

bool DeriveKeyPbkdf2Sha256(const std::string& password, const void* salt, std::size_t saltSize,
                           std::uint32_t iterations, void* key, std::size_t keySize) {
  if (iterations == 0 || password.size() > ULONG_MAX || saltSize > ULONG_MAX || keySize > ULONG_MAX) return false;
  BCRYPT_ALG_HANDLE hmac = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&hmac, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG)))
    return false;
  // CNG wants a password buffer even when the password is empty.
  UCHAR none = 0;
  PUCHAR bytes = password.empty() ? &none : reinterpret_cast<PUCHAR>(const_cast<char*>(password.data()));
  NTSTATUS status =
      BCryptDeriveKeyPBKDF2(hmac, bytes, static_cast<ULONG>(password.size()),
                            static_cast<PUCHAR>(const_cast<void*>(salt)), static_cast<ULONG>(saltSize), iterations,
                            static_cast<PUCHAR>(key), static_cast<ULONG>(keySize), 0);
  BCryptCloseAlgorithmProvider(hmac, 0);
  return Succeeded(status);
}

struct AesGcmKey::Impl {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_KEY_HANDLE key = nullptr;

  ~Impl() {
    if (key) BCryptDestroyKey(key);
    if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
  }
};

AesGcmKey::AesGcmKey(const void* key) : impl_(new Impl) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_AES_ALGORITHM, nullptr, 0))) return;
  impl_->algorithm = algorithm;
  if (!Succeeded(BCryptSetProperty(algorithm, BCRYPT_CHAINING_MODE,
                                   reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                                   sizeof(BCRYPT_CHAIN_MODE_GCM), 0)))
    return;
  BCRYPT_KEY_HANDLE handle = nullptr;
  if (Succeeded(BCryptGenerateSymmetricKey(algorithm, &handle, nullptr, 0,
                                           static_cast<PUCHAR>(const_cast<void*>(key)),
                                           static_cast<ULONG>(k_aesKeySize), 0)))
    impl_->key = handle;
}

AesGcmKey::~AesGcmKey() = default;

bool AesGcmKey::IsValid() const { return impl_->key != nullptr; }

bool AesGcmKey::Seal(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* plain,
                     std::size_t size, void* cipher, std::uint8_t* tag) {
  if (!IsValid() || !Fits(aadSize, size)) return false;
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = ModeInfo(nonce, aad, aadSize, tag);
  ULONG written = 0;
  NTSTATUS status =
      BCryptEncrypt(impl_->key, static_cast<PUCHAR>(const_cast<void*>(plain)), static_cast<ULONG>(size), &info,
                    nullptr, 0, static_cast<PUCHAR>(cipher), static_cast<ULONG>(size), &written, 0);
  return Succeeded(status) && written == size;
}

bool AesGcmKey::Open(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* cipher,
                     std::size_t size, const std::uint8_t* tag, void* plain) {
  bool ok = false;
  if (IsValid() && Fits(aadSize, size)) {
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = ModeInfo(nonce, aad, aadSize, const_cast<std::uint8_t*>(tag));
    ULONG written = 0;
    NTSTATUS status =
        BCryptDecrypt(impl_->key, static_cast<PUCHAR>(const_cast<void*>(cipher)), static_cast<ULONG>(size), &info,
                      nullptr, 0, static_cast<PUCHAR>(plain), static_cast<ULONG>(size), &written, 0);
    ok = Succeeded(status) && written == size;
  }
  if (!ok && size <= ULONG_MAX) SecureZeroMemory(plain, size);
  return ok;
}

}  // namespace platform

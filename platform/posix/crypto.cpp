// The ciphers over OpenSSL's libcrypto. A key keeps one context for sealing and one for
// opening, each set up with the key once; a chunk only sets its nonce.
#include "platform/crypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>
#include <cstring>

namespace platform {

bool RandomBytes(void* buffer, std::size_t count) {
  if (count > INT_MAX) return false;
  return count == 0 || RAND_bytes(static_cast<unsigned char*>(buffer), static_cast<int>(count)) == 1;
}

bool DeriveKeyPbkdf2Sha256(const std::string& password, const void* salt, std::size_t saltSize,
                           std::uint32_t iterations, void* key, std::size_t keySize) {
  if (iterations == 0 || iterations > INT_MAX || saltSize > INT_MAX || keySize > INT_MAX ||
      password.size() > INT_MAX)
    return false;
  return PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                           static_cast<const unsigned char*>(salt), static_cast<int>(saltSize),
                           static_cast<int>(iterations), EVP_sha256(), static_cast<int>(keySize),
                           static_cast<unsigned char*>(key)) == 1;
}

struct AesGcmKey::Impl {
  EVP_CIPHER_CTX* seal = nullptr;
  EVP_CIPHER_CTX* open = nullptr;
  bool valid = false;

  ~Impl() {
    EVP_CIPHER_CTX_free(seal);
    EVP_CIPHER_CTX_free(open);
  }
};

namespace {

// A GCM context with the key set and a 12-byte nonce length; the nonce comes per chunk.
bool SetUp(EVP_CIPHER_CTX* ctx, const void* key, bool encrypt) {
  const unsigned char* k = static_cast<const unsigned char*>(key);
  return ctx && EVP_CipherInit_ex(ctx, EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt ? 1 : 0) == 1 &&
         EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_IVLEN, static_cast<int>(k_gcmNonceSize), nullptr) == 1 &&
         EVP_CipherInit_ex(ctx, nullptr, nullptr, k, nullptr, encrypt ? 1 : 0) == 1;
}

bool Fits(std::size_t aadSize, std::size_t size) { return aadSize <= INT_MAX && size <= INT_MAX; }

// Starts one chunk: its nonce, then the additional data.
bool Begin(EVP_CIPHER_CTX* ctx, const std::uint8_t* nonce, const void* aad, std::size_t aadSize) {
  int n = 0;
  return EVP_CipherInit_ex(ctx, nullptr, nullptr, nullptr, nonce, -1) == 1 &&
         (aadSize == 0 || EVP_CipherUpdate(ctx, nullptr, &n, static_cast<const unsigned char*>(aad),
                                           static_cast<int>(aadSize)) == 1);
}

}  // namespace

AesGcmKey::AesGcmKey(const void* key) : impl_(new Impl) {
  impl_->seal = EVP_CIPHER_CTX_new();
  impl_->open = EVP_CIPHER_CTX_new();
  impl_->valid = SetUp(impl_->seal, key, true) && SetUp(impl_->open, key, false);
}

AesGcmKey::~AesGcmKey() = default;

bool AesGcmKey::IsValid() const { return impl_->valid; }

bool AesGcmKey::Seal(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* plain,
                     std::size_t size, void* cipher, std::uint8_t* tag) {
  if (!impl_->valid || !Fits(aadSize, size)) return false;
  EVP_CIPHER_CTX* ctx = impl_->seal;
  unsigned char* out = static_cast<unsigned char*>(cipher);
  int n = 0, last = 0;
  return Begin(ctx, nonce, aad, aadSize) &&
         (size == 0 ||
          EVP_EncryptUpdate(ctx, out, &n, static_cast<const unsigned char*>(plain), static_cast<int>(size)) == 1) &&
         EVP_EncryptFinal_ex(ctx, out + n, &last) == 1 &&
         EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, static_cast<int>(k_gcmTagSize), tag) == 1;
}

bool AesGcmKey::Open(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* cipher,
                     std::size_t size, const std::uint8_t* tag, void* plain) {
  EVP_CIPHER_CTX* ctx = impl_->open;
  unsigned char* out = static_cast<unsigned char*>(plain);
  unsigned char expected[k_gcmTagSize];
  std::memcpy(expected, tag, k_gcmTagSize);
  int n = 0, last = 0;
  bool ok = impl_->valid && Fits(aadSize, size) && Begin(ctx, nonce, aad, aadSize) &&
            (size == 0 ||
             EVP_DecryptUpdate(ctx, out, &n, static_cast<const unsigned char*>(cipher), static_cast<int>(size)) == 1) &&
            EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, static_cast<int>(k_gcmTagSize), expected) == 1 &&
            EVP_DecryptFinal_ex(ctx, out + n, &last) == 1;
  if (!ok && size <= INT_MAX) OPENSSL_cleanse(plain, size);
  return ok;
}

}  // namespace platform

// The ciphers the mail store needs: random bytes, PBKDF2-HMAC-SHA256 key derivation, and
// AES-256-GCM sealing of one chunk at a time. win32 uses the system's CNG (bcrypt), posix
// OpenSSL's libcrypto. Nothing here throws: failures come back as false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr std::size_t k_aesKeySize = 32;   // AES-256
constexpr std::size_t k_gcmNonceSize = 12;
constexpr std::size_t k_gcmTagSize = 16;

// Fills the buffer with bytes from the system's cryptographic random source; false when
// it has none to give.
bool RandomBytes(void* buffer, std::size_t count);

// PBKDF2 with HMAC-SHA256 over the password's bytes: keySize bytes into key. False when
// the system refuses (iterations 0 among others).
bool DeriveKeyPbkdf2Sha256(const std::string& password, const void* salt, std::size_t saltSize,
                           std::uint32_t iterations, void* key, std::size_t keySize);

// One AES-256-GCM key with the system's handles kept for many chunks. Every chunk is
// sealed with its own 12-byte nonce (the caller makes sure that no nonce is used twice
// under one key) and additional data that the tag covers but that is not enciphered.
class AesGcmKey {
 public:
  // From k_aesKeySize bytes. IsValid() tells whether the system took the key.
  explicit AesGcmKey(const void* key);
  ~AesGcmKey();
  AesGcmKey(const AesGcmKey&) = delete;
  AesGcmKey& operator=(const AesGcmKey&) = delete;

  bool IsValid() const;
  // Enciphers size bytes of plain into cipher (same size, another buffer) and writes the
  // k_gcmTagSize-byte tag. False on a failure of the system (or an invalid key).
  bool Seal(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* plain, std::size_t size,
            void* cipher, std::uint8_t* tag);
  // Deciphers and checks the tag. False when the tag does not match (a wrong key, or
  // changed cipher text, additional data or nonce) or the system fails; the plain buffer
  // is then zeroed, so nothing unchecked ever leaves.
  bool Open(const std::uint8_t* nonce, const void* aad, std::size_t aadSize, const void* cipher, std::size_t size,
            const std::uint8_t* tag, void* plain);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform

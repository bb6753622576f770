#include "quillet/store/system/chunk_cipher.h"

#include <array>

#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/system/cipher_error.h"

namespace {

using TNonce = std::array<std::uint8_t, platform::k_gcmNonceSize>;
// The header, the chunk index and the last-chunk flag.
using TChunkAad = std::array<std::uint8_t, k_cipherHeaderSize + 9>;

constexpr std::uint32_t k_dataDomain = 0;
constexpr std::uint32_t k_checkDomain = 0xFFFFFFFFu;

void PutIndex(std::uint8_t* p, std::uint64_t index) {
  store_bytes::PutUInt32(p, static_cast<std::uint32_t>(index));
  store_bytes::PutUInt32(p + 4, static_cast<std::uint32_t>(index >> 32));
}

TNonce NonceOf(std::uint64_t index, std::uint32_t domain) {
  TNonce nonce{};
  PutIndex(&nonce[0], index);
  store_bytes::PutUInt32(&nonce[8], domain);
  return nonce;
}

TChunkAad AadOf(const TCipherHeaderBytes& header, std::uint64_t index, bool last) {
  TChunkAad aad{};
  std::copy(header.begin(), header.end(), aad.begin());
  PutIndex(&aad[k_cipherHeaderSize], index);
  aad[k_cipherHeaderSize + 8] = last ? 1 : 0;
  return aad;
}

// Overwrites key material so that it does not linger on the stack.
void Wipe(std::uint8_t* bytes, std::size_t size) {
  volatile std::uint8_t* p = bytes;
  for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

}  // namespace

TChunkCipher::TChunkCipher(const std::string& password, const TCipherHeader& header) {
  std::uint8_t key[platform::k_aesKeySize];
  bool derived = platform::DeriveKeyPbkdf2Sha256(password, header.Salt.data(), header.Salt.size(), header.Iterations,
                                                 key, sizeof key);
  if (derived) key_ = std::make_unique<platform::AesGcmKey>(key);
  Wipe(key, sizeof key);
  if (!derived || !key_->IsValid()) throw ECipherError(TCipherFailure::System);
}

void TChunkCipher::MakeKeyCheck(TCipherHeader& header) {
  TCipherHeaderBytes bytes = EncodeCipherHeader(header);
  TNonce nonce = NonceOf(0, k_checkDomain);
  std::uint8_t none = 0;
  if (!key_->Seal(nonce.data(), bytes.data(), k_cipherCheckedPrefix, &none, 0, &none, header.KeyCheck.data()))
    throw ECipherError(TCipherFailure::System);
}

bool TChunkCipher::KeyMatches(const TCipherHeader& header) {
  TCipherHeaderBytes bytes = EncodeCipherHeader(header);
  TNonce nonce = NonceOf(0, k_checkDomain);
  std::uint8_t none = 0;
  return key_->Open(nonce.data(), bytes.data(), k_cipherCheckedPrefix, &none, 0, header.KeyCheck.data(), &none);
}

void TChunkCipher::SealChunk(std::uint64_t index, bool last, const std::uint8_t* plain, std::size_t size,
                             std::uint8_t* sealed) {
  TNonce nonce = NonceOf(index, k_dataDomain);
  TChunkAad aad = AadOf(header_, index, last);
  if (!key_->Seal(nonce.data(), aad.data(), aad.size(), plain, size, sealed, sealed + size))
    throw ECipherError(TCipherFailure::System);
}

bool TChunkCipher::OpenChunk(std::uint64_t index, bool last, const std::uint8_t* sealed, std::size_t size,
                             std::uint8_t* plain) {
  TNonce nonce = NonceOf(index, k_dataDomain);
  TChunkAad aad = AadOf(header_, index, last);
  return key_->Open(nonce.data(), aad.data(), aad.size(), sealed, size, sealed + size, plain);
}

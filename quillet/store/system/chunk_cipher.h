// TChunkCipher: the key of one ".BO~" file, made from the password and the header's salt
// and iterations, sealing and opening its key check and its chunks with the nonces and
// additional data of cipher_format.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/crypto.h"
#include "quillet/store/system/cipher_format.h"

class TChunkCipher {
 public:
  // Derives the key (the slow part, by design). Raises ECipherError System when the
  // platform cannot.
  TChunkCipher(const std::string& password, const TCipherHeader& header);

  // The key check for a header whose other fields are set.
  void MakeKeyCheck(TCipherHeader& header);
  // Whether the header's key check was made with this key.
  bool KeyMatches(const TCipherHeader& header);

  // The header's 64 bytes, which every chunk's tag covers; set once the header is final.
  void BindHeader(const TCipherHeaderBytes& header) { header_ = header; }
  // Seals size plain bytes into size cipher bytes followed by the 16-byte tag. Raises
  // ECipherError System when the platform fails.
  void SealChunk(std::uint64_t index, bool last, const std::uint8_t* plain, std::size_t size, std::uint8_t* sealed);
  // Opens a sealed chunk (size cipher bytes, then the tag) into size plain bytes; false
  // when the tag does not match.
  bool OpenChunk(std::uint64_t index, bool last, const std::uint8_t* sealed, std::size_t size, std::uint8_t* plain);

 private:
  std::unique_ptr<platform::AesGcmKey> key_;
  TCipherHeaderBytes header_{};
};

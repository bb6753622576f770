// Streaming a ".BO~" file (layout in cipher_format.h) chunk by chunk: memory stays at two
// chunks whatever the mailbox's size. File failures raise EFileException.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/system/chunk_cipher.h"
#include "quillet/store/system/cipher_format.h"

// Told the plain bytes done so far after each chunk.
using TChunkProgress = std::function<void(std::uint64_t plainDone)>;
// Takes the plain bytes of each chunk, in order.
using TChunkSink = std::function<void(const std::uint8_t* plain, std::size_t size)>;

// Writes the header and the sealed chunks of the source's first header.PlainSize bytes
// from its start; the cipher is bound to the header. Raises ECipherError MailboxChanged
// when the source ends before that.
void WriteCipherFile(TFileGuard& source, TFileGuard& target, const TCipherHeader& header, TChunkCipher& cipher,
                     const TChunkProgress& progress);

// Reads and checks the file's header and size, derives the key and checks the password;
// returns the cipher bound to the header. Raises ECipherError OtherFormat (another
// format or version), Damaged (with the file's name: a bad header, a file cut or
// lengthened) or WrongPassword. Nothing is deciphered yet.
std::unique_ptr<TChunkCipher> OpenCipherFile(TFileGuard& file, const std::string& password, TCipherHeader& header);

// Opens every chunk in order and hands its plain bytes to the sink; a chunk whose tag
// fails stops it with ECipherError Damaged (with the file's name) before its bytes reach
// the sink.
void ReadCipherChunks(TFileGuard& file, const TCipherHeader& header, TChunkCipher& cipher, const TChunkSink& sink,
                      const TChunkProgress& progress);

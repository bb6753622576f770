// Encrypting and decrypting a mailbox's data file with a password. While a pair is
// encrypted its data lives in base + ".BO~" (layout in cipher_format.h: PBKDF2-HMAC-SHA256
// from the password and a random salt, then AES-256-GCM over 64 KiB chunks), and the
// index's Encrypted flag is set; the index itself stays as it is.
//
// Neither operation can lose the mailbox. Encrypting writes the cipher file under a
// temporary name (".BO~.$$$"), flushes it, deciphers it again and compares it with the
// data file, renames it to ".BO~", sets the flag, and only then deletes ".BOX".
// Decrypting writes ".BOX.$$$" from ".BO~" (every tag checked), flushes it, renames it to
// ".BOX", clears the flag, and only then deletes ".BO~". Any failure before the flag
// changes (a wrong password, a damaged file, a full disk, an exception from the progress
// callback) removes what was written and leaves the mailbox exactly as it was. Memory
// stays small for any size: the files are streamed a chunk at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/system/cipher_error.h"
#include "quillet/store/system/cipher_format.h"

// Called after each chunk with the bytes done and the total (encrypting counts the data
// file twice: writing and checking). It may throw to stop the run.
using TCipherProgress = std::function<void(std::int64_t done, std::int64_t total)>;

constexpr std::uint32_t k_defaultCipherIterations = 600000;
constexpr std::uint32_t k_defaultCipherChunkSize = 64 * 1024;

// How a new ".BO~" file is made; both values are stored in it, and readers accept the
// ranges of cipher_format.h.
struct TCipherParams {
  std::uint32_t Iterations = k_defaultCipherIterations;
  std::uint32_t ChunkSize = k_defaultCipherChunkSize;
};

// Enciphers the pair's ".BOX" into ".BO~", sets the Encrypted flag and deletes ".BOX".
// Raises ECipherError AlreadyEncrypted ("Mailbox Already encrypted"), EmptyPassword,
// VerifyFailed, MailboxChanged (the data file changed meanwhile) or System, and
// EFileException for file failures; the mailbox is then as it was (parameters outside
// the ranges of cipher_format.h raise std::invalid_argument). Once the flag is set
// a ".BOX" that cannot be deleted raises EFileException kind delete: the mailbox is
// encrypted, but its plain copy is still on the disk.
void EncryptMailbox(TIdxFile& box, const std::string& password, const TCipherProgress& progress = nullptr,
                    const TCipherParams& params = TCipherParams());

// Deciphers ".BO~" back into ".BOX", clears the Encrypted flag and deletes ".BO~" (a
// ".BO~" that cannot be deleted is left: it is only a stale copy). Raises ECipherError
// NotEncrypted, WrongPassword ("口令不正确"), OtherFormat (a file of another format or
// version), Damaged (with the file's name) or System, and EFileException for file
// failures; the mailbox is then as it was, still encrypted.
void DecryptMailbox(TIdxFile& box, const std::string& password, const TCipherProgress& progress = nullptr);

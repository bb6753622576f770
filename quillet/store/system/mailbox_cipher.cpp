#include "quillet/store/system/mailbox_cipher.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/crypto.h"
#include "platform/file.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/system/chunk_cipher.h"
#include "quillet/store/system/cipher_file.h"
#include "quillet/store/system/part_file.h"

namespace {

// Where a file is written before it is renamed to its own name.
constexpr char k_partSuffix[] = ".$$$";

// Turns the progress of one pass into the caller's (done, total).
TChunkProgress PassProgress(const TCipherProgress& progress, std::int64_t before, std::int64_t total) {
  if (!progress) return nullptr;
  return [&progress, before, total](std::uint64_t done) { progress(before + static_cast<std::int64_t>(done), total); };
}

TCipherHeader NewHeader(const TCipherParams& params, std::int64_t plainSize) {
  if (params.Iterations < k_minCipherIterations || params.Iterations > k_maxCipherIterations ||
      params.ChunkSize < k_minCipherChunkSize || params.ChunkSize > k_maxCipherChunkSize)
    throw std::invalid_argument("cipher parameters outside the accepted ranges");
  TCipherHeader header;
  header.Iterations = params.Iterations;
  header.ChunkSize = params.ChunkSize;
  header.PlainSize = static_cast<std::uint64_t>(plainSize);
  if (!platform::RandomBytes(header.Salt.data(), header.Salt.size())) throw ECipherError(TCipherFailure::System);
  return header;
}

// Deciphers the written file again and compares it with the source, a chunk at a time.
void Verify(const std::string& path, TFileGuard& source, const TCipherHeader& header, TChunkCipher& cipher,
            const TChunkProgress& progress) {
  TFileGuard written = TFileGuard::Open(path, platform::FileAccess::Read);
  TCipherHeaderBytes expected = EncodeCipherHeader(header), found{};
  std::vector<std::uint8_t> original(header.ChunkSize);
  std::int64_t at = 0;
  try {
    written.ReadExactAt(0, found.data(), static_cast<std::int32_t>(found.size()));
    if (found != expected || static_cast<std::uint64_t>(written.Size()) != header.FileSize())
      throw ECipherError(TCipherFailure::VerifyFailed);
    ReadCipherChunks(written, header, cipher, [&](const std::uint8_t* plain, std::size_t size) {
      std::int32_t n = static_cast<std::int32_t>(size);
      if (source.ReadAt(at, original.data(), n) != n || std::memcmp(plain, original.data(), size) != 0)
        throw ECipherError(TCipherFailure::VerifyFailed);
      at += n;
    }, progress);
  } catch (const ECipherError&) {
    throw ECipherError(TCipherFailure::VerifyFailed);
  }
}

// Sets the Encrypted flag. When that fails, the header is read again: a flag that is on
// the disk is success (a change notifier that failed after the write is the views'
// concern, and they are refreshed after the command anyway). Otherwise the failure goes
// on, and the file just made is removed when the flag is known to be unchanged, or kept
// (beside its source) when the state on the disk cannot be told, as the mailbox may then
// need either.
void SetEncryptedFlag(TIdxFile& box, bool encrypted, TPartFile& made) {
  try {
    box.SetEncrypted(encrypted);
  } catch (...) {
    bool took = false, known = true;
    try {
      took = box.IsEncrypted() == encrypted;
    } catch (...) {
      known = false;
    }
    if (took) return;
    if (!known) made.Keep();
    throw;
  }
}

void RenameInto(TPartFile& part, const std::string& path) {
  if (!platform::FileRename(part.Path(), path)) throw EFileException(EFileException::Kind::Create, path);
  part.Rename(path);
}

}  // namespace

void EncryptMailbox(TIdxFile& box, const std::string& password, const TCipherProgress& progress,
                    const TCipherParams& params) {
  if (box.IsEncrypted()) throw ECipherError(TCipherFailure::AlreadyEncrypted);
  if (password.empty()) throw ECipherError(TCipherFailure::EmptyPassword);
  TFileGuard source = TFileGuard::Open(box.DataPath(), platform::FileAccess::Read);
  std::int64_t plainSize = source.Size();
  TCipherHeader header = NewHeader(params, plainSize);
  TChunkCipher cipher(password, header);
  cipher.MakeKeyCheck(header);

  TPartFile part(box.EncryptedDataPath() + k_partSuffix);
  TFileGuard target = TFileGuard::Create(part.Path());
  WriteCipherFile(source, target, header, cipher, PassProgress(progress, 0, 2 * plainSize));
  target.Flush();
  target.CloseWritten();
  Verify(part.Path(), source, header, cipher, PassProgress(progress, plainSize, 2 * plainSize));
  if (source.Size() != plainSize) throw ECipherError(TCipherFailure::MailboxChanged);
  source.Close();

  RenameInto(part, box.EncryptedDataPath());
  SetEncryptedFlag(box, true, part);
  part.Keep();
  if (!platform::FileDelete(box.DataPath())) throw EFileException(EFileException::Kind::Delete, box.DataPath());
}

void DecryptMailbox(TIdxFile& box, const std::string& password, const TCipherProgress& progress) {
  if (!box.IsEncrypted()) throw ECipherError(TCipherFailure::NotEncrypted);
  TFileGuard source = TFileGuard::Open(box.EncryptedDataPath(), platform::FileAccess::Read);
  TCipherHeader header;
  std::unique_ptr<TChunkCipher> cipher = OpenCipherFile(source, password, header);

  TPartFile part(box.DataPath() + k_partSuffix);
  TFileGuard target = TFileGuard::Create(part.Path());
  std::int64_t at = 0;
  std::int64_t total = static_cast<std::int64_t>(header.PlainSize);
  ReadCipherChunks(source, header, *cipher, [&](const std::uint8_t* plain, std::size_t size) {
    target.WriteAt(at, plain, static_cast<std::int32_t>(size));
    at += static_cast<std::int64_t>(size);
  }, PassProgress(progress, 0, total));
  target.Flush();
  target.CloseWritten();
  source.Close();

  RenameInto(part, box.DataPath());
  SetEncryptedFlag(box, false, part);
  part.Keep();
  platform::FileDelete(box.EncryptedDataPath());  // a leftover is only a stale copy
}

#include "quillet/store/system/cipher_file.h"

#include <vector>

#include "platform/crypto.h"
#include "quillet/store/system/cipher_error.h"

namespace {

void Report(const TChunkProgress& progress, std::uint64_t done) {
  if (progress) progress(done);
}

}  // namespace

void WriteCipherFile(TFileGuard& source, TFileGuard& target, const TCipherHeader& header, TChunkCipher& cipher,
                     const TChunkProgress& progress) {
  TCipherHeaderBytes bytes = EncodeCipherHeader(header);
  cipher.BindHeader(bytes);
  target.WriteAt(0, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  std::vector<std::uint8_t> plain(header.ChunkSize), sealed(header.ChunkSize + platform::k_gcmTagSize);
  std::int64_t in = 0, out = static_cast<std::int64_t>(bytes.size());
  std::uint64_t count = header.ChunkCount();
  for (std::uint64_t index = 0; index < count; ++index) {
    std::int32_t size = static_cast<std::int32_t>(header.ChunkPlainSize(index));
    if (source.ReadAt(in, plain.data(), size) != size) throw ECipherError(TCipherFailure::MailboxChanged);
    cipher.SealChunk(index, index + 1 == count, plain.data(), size, sealed.data());
    target.WriteAt(out, sealed.data(), size + static_cast<std::int32_t>(platform::k_gcmTagSize));
    in += size;
    out += size + static_cast<std::int64_t>(platform::k_gcmTagSize);
    Report(progress, static_cast<std::uint64_t>(in));
  }
}

std::unique_ptr<TChunkCipher> OpenCipherFile(TFileGuard& file, const std::string& password, TCipherHeader& header) {
  TCipherHeaderBytes bytes{};
  std::int32_t got = file.ReadAt(0, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  switch (DecodeCipherHeader(bytes.data(), static_cast<std::size_t>(got), header)) {
    case TCipherHeaderState::OtherFormat: throw ECipherError(TCipherFailure::OtherFormat);
    case TCipherHeaderState::Damaged: throw ECipherError(TCipherFailure::Damaged, file.Path());
    case TCipherHeaderState::Valid: break;
  }
  if (static_cast<std::uint64_t>(file.Size()) != header.FileSize())
    throw ECipherError(TCipherFailure::Damaged, file.Path());
  auto cipher = std::make_unique<TChunkCipher>(password, header);
  if (!cipher->KeyMatches(header)) throw ECipherError(TCipherFailure::WrongPassword);
  cipher->BindHeader(bytes);
  return cipher;
}

void ReadCipherChunks(TFileGuard& file, const TCipherHeader& header, TChunkCipher& cipher, const TChunkSink& sink,
                      const TChunkProgress& progress) {
  std::vector<std::uint8_t> sealed(header.ChunkSize + platform::k_gcmTagSize), plain(header.ChunkSize);
  std::int64_t in = static_cast<std::int64_t>(k_cipherHeaderSize);
  std::uint64_t done = 0, count = header.ChunkCount();
  for (std::uint64_t index = 0; index < count; ++index) {
    std::uint32_t size = header.ChunkPlainSize(index);
    std::int32_t sealedSize = static_cast<std::int32_t>(size + platform::k_gcmTagSize);
    if (file.ReadAt(in, sealed.data(), sealedSize) != sealedSize ||
        !cipher.OpenChunk(index, index + 1 == count, sealed.data(), size, plain.data()))
      throw ECipherError(TCipherFailure::Damaged, file.Path());
    sink(plain.data(), size);
    in += sealedSize;
    done += size;
    Report(progress, done);
  }
}

// libFuzzer target for the ".BO~" reader: the input after its first byte is the file.
// When the first byte is odd, a header that carries the magic is first made to pass its
// own checks (1,000 iterations, the key check of the fuzz password, the CRC), so that the
// chunk reader is reached too; chunks themselves are taken as they come. The reader must
// answer with its own exceptions only, and a file it accepts must hand over exactly the
// plain size its header states.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/scratch_folder.h"
#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/system/cipher_error.h"
#include "quillet/store/system/cipher_file.h"
#include "quillet/store/system/cipher_format.h"

namespace {

// The password of the seed files: "示例口令" in GBK.
const std::string k_password = "\xCA\xBE\xC0\xFD\xBF\xDA\xC1\xEE";

// Lets a header with the magic pass its CRC, range and password checks.
void MakeHeaderPass(std::string& file) {
  TCipherHeader header;
  TCipherHeaderBytes bytes{};
  std::copy(file.begin(), file.begin() + k_cipherHeaderSize, bytes.begin());
  store_bytes::PutUInt32(&bytes[12], k_minCipherIterations);
  store_bytes::PutUInt32(&bytes[60], Crc32(bytes.data(), 60));
  if (DecodeCipherHeader(bytes.data(), bytes.size(), header) != TCipherHeaderState::Valid) return;
  TChunkCipher cipher(k_password, header);
  cipher.MakeKeyCheck(header);
  bytes = EncodeCipherHeader(header);
  std::copy(bytes.begin(), bytes.end(), file.begin());
}

void Write(const std::string& path, const std::string& bytes) {
  platform::UniqueFile file(platform::FileCreate(path));
  if (!bytes.empty()) platform::FileWrite(file.Get(), bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  if ((data[0] & 1) && file.size() >= k_cipherHeaderSize && file.compare(0, 7, "KWBCIPH") == 0) MakeHeaderPass(file);
  const std::string path = fuzz_scratch::Folder("cipher_fuzz_") + "in.BO~";
  Write(path, file);
  try {
    TFileGuard guard = TFileGuard::Open(path, platform::FileAccess::Read);
    TCipherHeader header;
    auto cipher = OpenCipherFile(guard, k_password, header);
    std::uint64_t total = 0;
    ReadCipherChunks(guard, header, *cipher,
                     [&](const std::uint8_t*, std::size_t n) {
                       if (n > header.ChunkSize) std::abort();
                       total += n;
                     },
                     nullptr);
    if (total != header.PlainSize || file.size() != header.FileSize()) std::abort();
  } catch (const ECipherError&) {
  } catch (const EFileException&) {
  }
  return 0;
}

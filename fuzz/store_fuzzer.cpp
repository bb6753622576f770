// libFuzzer target for the mail store: a mailbox pair made of the input (see
// store_fuzz_body.h) goes through every reader, some writers and Pack.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/scratch_folder.h"
#include "fuzz/store_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  store_fuzz::RunInput(data, size, fuzz_scratch::Folder("store_fuzz_"));
  return 0;
}

// Encrypting and decrypting a mailbox: the round trip keeps every byte, and every refusal
// or failure (wrong password, another format, a damaged file, a failing file call, a
// stopped run) leaves the mailbox's files exactly as they were.
#include <map>
#include <stdexcept>

#include "platform/file.h"
#include "quillet/store/system/cipher_texts.h"
#include "quillet/store/system/mailbox_cipher.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

// Few iterations and small chunks keep the tests fast and give many chunks; both are
// stored in the file, so the reader treats them like the defaults.
const TCipherParams k_fast{k_minCipherIterations, 64};
const char k_password[] = "邮箱密码 2026";

// The bytes of every file the cipher may touch ("" when absent), by name.
using TSnapshot = std::map<std::string, std::string>;

// The bytes of every file the cipher may touch for the pair at base.
TSnapshot SnapshotOf(const std::string& base) {
  TSnapshot files;
  for (const char* extension : {".IND", ".BOX", ".BO~", ".BOX.$$$", ".BO~.$$$"})
    files[extension] = platform::FileExists(base + extension) ? "file:" + ReadFileBytes(base + extension) : "";
  return files;
}

class MailboxCipher : public ScratchTest {
 protected:
  std::string Path(const std::string& extension) const { return Base("in") + extension; }

  // A mailbox of three messages of different sizes, one of them deleted.
  void MakeMailbox() {
    TMailBox box(Base("in"));
    AddText(box, MessageText("one", std::string(300, 'a')));
    AddText(box, MessageText("邮件二", "短"));
    AddText(box, MessageText("three", std::string(1000, 'c')), false);
    box.DeleteRecord(2);
  }

  TSnapshot Snapshot() const { return SnapshotOf(Base("in")); }

  // Runs the operation; returns the failure it raised (System when none).
  static ECipherError Refusal(const std::function<void()>& operation) {
    try {
      operation();
    } catch (const ECipherError& e) {
      return e;
    }
    ADD_FAILURE() << "no ECipherError";
    return ECipherError(TCipherFailure::System);
  }

  void Encrypt(const std::string& password = k_password, const TCipherProgress& progress = nullptr) {
    TMailBox box(Base("in"));
    EncryptMailbox(box, password, progress, k_fast);
  }
  void Decrypt(const std::string& password = k_password, const TCipherProgress& progress = nullptr) {
    TMailBox box(Base("in"));
    DecryptMailbox(box, password, progress);
  }
};

TEST_F(MailboxCipher, RoundTripKeepsEveryByteAndTheIndex) {
  struct Case {
    const char* what;
    std::uint32_t chunkSize;
    bool withMessages;
  };
  const Case cases[] = {{"empty data file", 64, false},
                        {"many chunks, the last one short", 64, true},
                        {"one chunk", 1 << 20, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.withMessages) {
      MakeMailbox();
    } else {
      TMailBox create(Base("in"));
    }
    std::string index = ReadFileBytes(Path(".IND")), data = ReadFileBytes(Path(".BOX"));
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    auto record = [&](std::int64_t done, std::int64_t total) { reports.emplace_back(done, total); };
    {
      TMailBox box(Base("in"));
      EncryptMailbox(box, k_password, record, TCipherParams{k_minCipherIterations, c.chunkSize});
      EXPECT_TRUE(box.IsEncrypted());
      EXPECT_FALSE(platform::FileExists(Path(".BOX")));
      EXPECT_EQ(box.GetSpaceInfo().DataFileSize, FileSize(Path(".BO~")));
      if (c.withMessages) {
        TMemoryStream out;
        EXPECT_THROW(box.ReadMessage(1, out, true), EOperateOnEncrypted);
      }
    }
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), std::make_pair(2 * std::int64_t(data.size()), 2 * std::int64_t(data.size())));
    std::string cipherText = ReadFileBytes(Path(".BO~"));
    EXPECT_EQ(cipherText.find("Subject"), std::string::npos);
    reports.clear();
    Decrypt(k_password, record);
    EXPECT_EQ(reports.back(), std::make_pair(std::int64_t(data.size()), std::int64_t(data.size())));
    EXPECT_EQ(ReadFileBytes(Path(".BOX")), data);
    EXPECT_EQ(ReadFileBytes(Path(".IND")), index);
    TSnapshot after = Snapshot();
    EXPECT_EQ(after[".BO~"] + after[".BOX.$$$"] + after[".BO~.$$$"], "");
    if (c.withMessages) {
      TMailBox box(Base("in"));
      EXPECT_EQ(ReadText(box, 3), MessageText("three", std::string(1000, 'c')));
      EXPECT_EQ(box.CheckSeparators(), 0);
      ExpectCountersConsistent(box, 64);
    }
    platform::FileDelete(Path(".IND"));
    platform::FileDelete(Path(".BOX"));
  }
}

TEST_F(MailboxCipher, TheProductDefaultsAreStoredAndReadBack) {
  MakeMailbox();
  std::string data = ReadFileBytes(Path(".BOX"));
  {
    TMailBox box(Base("in"));
    EncryptMailbox(box, k_password);
  }
  std::string header = ReadFileBytes(Path(".BO~")).substr(0, 24);
  EXPECT_EQ(static_cast<std::uint32_t>(Int32At(header, 12)), k_defaultCipherIterations);
  EXPECT_GE(k_defaultCipherIterations, 200000u);
  EXPECT_EQ(Int32At(header, 16), 64 * 1024);
  Decrypt();
  EXPECT_EQ(ReadFileBytes(Path(".BOX")), data);
}

TEST_F(MailboxCipher, RefusalsChangeNothing) {
  MakeMailbox();
  TSnapshot plain = Snapshot();
  ECipherError notEncrypted = Refusal([&] { Decrypt(); });
  EXPECT_EQ(notEncrypted.Failure(), TCipherFailure::NotEncrypted);
  EXPECT_EQ(notEncrypted.Message(), k_textNotEncrypted);
  EXPECT_EQ(Refusal([&] { Encrypt(""); }).Failure(), TCipherFailure::EmptyPassword);
  EXPECT_EQ(Snapshot(), plain);

  Encrypt();
  TSnapshot encrypted = Snapshot();
  ECipherError again = Refusal([&] { Encrypt("another"); });
  EXPECT_EQ(again.Failure(), TCipherFailure::AlreadyEncrypted);
  EXPECT_EQ(again.Message(), "Mailbox Already encrypted");
  for (const char* wrong : {"", "邮箱密码 2025", "邮箱密码 2026 "}) {
    ECipherError e = Refusal([&] { Decrypt(wrong); });
    EXPECT_EQ(e.Failure(), TCipherFailure::WrongPassword) << wrong;
    EXPECT_EQ(e.Message(), "口令不正确");
  }
  EXPECT_EQ(Snapshot(), encrypted);
}

TEST_F(MailboxCipher, AFailingChangeNotifierDoesNotSplitTheMailbox) {
  MakeMailbox();
  std::string data = ReadFileBytes(Path(".BOX"));
  SetChangeNotifier([](TIdxFile&) { throw std::runtime_error("view gone"); });
  Encrypt();
  EXPECT_FALSE(platform::FileExists(Path(".BOX")));
  Decrypt();
  EXPECT_FALSE(platform::FileExists(Path(".BO~")));
  EXPECT_EQ(ReadFileBytes(Path(".BOX")), data);
}

TEST_F(MailboxCipher, ParametersOutsideTheFormatAreRefused) {
  MakeMailbox();
  TSnapshot before = Snapshot();
  TMailBox box(Base("in"));
  const TCipherParams outside[] = {{999, 64}, {1000, 0}, {1000, k_maxCipherChunkSize + 1}};
  for (const TCipherParams& params : outside)
    EXPECT_THROW(EncryptMailbox(box, k_password, nullptr, params), std::invalid_argument);
  EXPECT_EQ(Snapshot(), before);
}

// Rewrites the CRC of a hand-changed header, so that only the change itself is judged.
void FixCrc(std::string& file) {
  auto bytes = reinterpret_cast<const std::uint8_t*>(file.data());
  PutInt32At(file, 60, static_cast<std::int32_t>(Crc32(bytes, 60)));
}

TEST_F(MailboxCipher, FilesOfAnotherFormatAreRefused) {
  MakeMailbox();
  Encrypt();
  std::string good = ReadFileBytes(Path(".BO~"));
  std::string version2 = good;
  PutInt32At(version2, 8, 2);
  FixCrc(version2);
  for (const std::string& other : {std::string("an older cipher file of another kind"), version2}) {
    WriteFileBytes(Path(".BO~"), other);
    TSnapshot before = Snapshot();
    ECipherError e = Refusal([&] { Decrypt(); });
    EXPECT_EQ(e.Failure(), TCipherFailure::OtherFormat);
    EXPECT_EQ(e.Message(), "本版本软件不能解密以前版本产生的加密邮箱。请用以前的版本进行解密。");
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(MailboxCipher, DamagedFilesAreReportedAndKept) {
  MakeMailbox();
  Encrypt();
  const std::string good = ReadFileBytes(Path(".BO~"));
  const std::size_t sealed = 64 + 16;  // one full chunk on the disk
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
  };
  const Case cases[] = {
      {"flipped salt byte", [](std::string& f) { f[30] ^= 1; }},
      {"plain size changed, CRC made to fit", [](std::string& f) { f[20] ^= 1; FixCrc(f); }},
      {"absurd iteration count", [](std::string& f) { PutInt32At(f, 12, -1); FixCrc(f); }},
      {"zero chunk size", [](std::string& f) { PutInt32At(f, 16, 0); FixCrc(f); }},
      {"flipped cipher byte", [](std::string& f) { f[64 + 100] ^= 0x40; }},
      {"flipped tag byte", [&](std::string& f) { f[64 + sealed - 1] ^= 1; }},
      {"cut by one byte", [](std::string& f) { f.pop_back(); }},
      {"last chunk dropped",
       [](std::string& f) {
         std::int32_t rest = Int32At(f, 20) % 64;
         f.resize(f.size() - 16 - (rest ? rest : 64));
       }},
      {"cut inside the header", [](std::string& f) { f.resize(40); }},
      {"cut to nothing", [](std::string& f) { f.clear(); }},
      {"bytes appended", [](std::string& f) { f += "more"; }},
      {"a chunk appended", [&](std::string& f) { f += f.substr(64, sealed); }},
      {"two chunks swapped",
       [&](std::string& f) {
         f = f.substr(0, 64) + f.substr(64 + sealed, sealed) + f.substr(64, sealed) + f.substr(64 + 2 * sealed);
       }},
  };
  for (const Case& c : cases) {
    std::string damaged = good;
    c.damage(damaged);
    WriteFileBytes(Path(".BO~"), damaged);
    TSnapshot before = Snapshot();
    ECipherError e = Refusal([&] { Decrypt(); });
    EXPECT_EQ(e.Failure(), TCipherFailure::Damaged) << c.what;
    EXPECT_EQ(e.Message(), k_textCipherDamaged + Path(".BO~")) << c.what;
    EXPECT_EQ(Snapshot(), before) << c.what;
  }
  // The good file still decrypts once put back.
  WriteFileBytes(Path(".BO~"), good);
  Decrypt();
  TMailBox box(Base("in"));
  EXPECT_EQ(ReadText(box, 1), MessageText("one", std::string(300, 'a')));
}

TEST_F(MailboxCipher, AStoppedRunLeavesEverythingAsItWas) {
  MakeMailbox();
  auto stopAtThird = [calls = 0](std::int64_t, std::int64_t) mutable {
    if (++calls == 3) throw std::runtime_error("stopped");
  };
  TSnapshot plain = Snapshot();
  EXPECT_THROW(Encrypt(k_password, stopAtThird), std::runtime_error);
  EXPECT_EQ(Snapshot(), plain);
  Encrypt();
  TSnapshot encrypted = Snapshot();
  EXPECT_THROW(Decrypt(k_password, stopAtThird), std::runtime_error);
  EXPECT_EQ(Snapshot(), encrypted);
}

TEST_F(MailboxCipher, ChangesMadeWhileEncryptingAreCaught) {
  // The progress callback stands in for another writer between two chunks.
  struct Case {
    const char* what;
    const char* file;       // changed once the cipher file is written
    TCipherFailure expected;
  };
  const Case cases[] = {{"mail appended to the data file", ".BOX", TCipherFailure::MailboxChanged},
                        {"the cipher file changed before its check", ".BO~.$$$", TCipherFailure::VerifyFailed}};
  for (const Case& c : cases) {
    MakeMailbox();
    std::int64_t size = FileSize(Path(".BOX"));
    bool changed = false;
    auto change = [&](std::int64_t done, std::int64_t) {
      if (done < size || changed) return;
      changed = true;
      std::string bytes = ReadFileBytes(Path(c.file));
      if (c.expected == TCipherFailure::MailboxChanged) bytes += "more";
      else bytes[bytes.size() / 2] ^= 1;
      WriteFileBytes(Path(c.file), bytes);
    };
    std::string data = ReadFileBytes(Path(".BOX"));
    if (c.expected == TCipherFailure::MailboxChanged) data += "more";
    EXPECT_EQ(Refusal([&] { Encrypt(k_password, change); }).Failure(), c.expected) << c.what;
    TMailBox box(Base("in"));
    EXPECT_FALSE(box.IsEncrypted()) << c.what;
    EXPECT_FALSE(platform::FileExists(Path(".BO~"))) << c.what;
    EXPECT_FALSE(platform::FileExists(Path(".BO~.$$$"))) << c.what;
    EXPECT_EQ(ReadFileBytes(Path(".BOX")), data) << c.what;
    platform::FileDelete(Path(".IND"));
    platform::FileDelete(Path(".BOX"));
  }
}

// Either state of a mailbox is whole: plain with its data, or encrypted with a ".BO~"
// that decrypts to it.
enum class TState { Plain, Encrypted };

class MailboxCipherFaults : public MailboxCipher {
 protected:
  void SetUp() override {
    MailboxCipher::SetUp();
    MakeMailbox();
    data_ = ReadFileBytes(Path(".BOX"));
    plain_ = Snapshot();
    Encrypt();
    encrypted_ = Snapshot();
  }

  void Restore(const TSnapshot& state) {
    for (const auto& file : state) {
      if (file.second.empty()) platform::FileDelete(Path(file.first));
      else WriteFileBytes(Path(file.first), file.second.substr(5));
    }
  }

  // The number of file-changing calls the operation makes when nothing fails.
  int CountCalls(const std::function<void()>& operation) {
    FileFaults counter;
    operation();
    return counter.Calls();
  }

  // Runs the operation from `from` with the n-th file call failing, for every n, and
  // checks what is left: the state before, or the state after, each whole.
  void EachCallFails(const TSnapshot& from, const TSnapshot& to, const std::function<void()>& operation) {
    Restore(from);
    int calls = CountCalls(operation);
    ASSERT_GT(calls, 3);
    int failures = 0;
    for (int n = 1; n <= calls; ++n) {
      Restore(from);
      bool failed = false;
      {
        FileFaults faults(FileFaults::OnlyCall(n));
        try {
          operation();
        } catch (const EFileException&) {
          failed = true;
          ++failures;
        }
      }
      TSnapshot now = Snapshot();
      if (!failed) {
        ExpectWhole(now, to == encrypted_ ? TState::Encrypted : TState::Plain);
      } else if (now != from) {
        // Only the last step may fail after the change: the plain copy's deletion.
        ExpectWhole(now, TState::Encrypted);
        EXPECT_EQ(now[".BOX"], plain_[".BOX"]) << "call " << n;
      }
    }
    EXPECT_GT(failures, calls / 2);  // the writes fail; a failed delete of a leftover does not
  }

  void ExpectWhole(TSnapshot now, TState state) {
    TMailBox box(Base("in"));
    ASSERT_EQ(box.IsEncrypted(), state == TState::Encrypted);
    if (state == TState::Encrypted) DecryptMailbox(box, k_password);
    EXPECT_EQ(ReadFileBytes(Path(".BOX")), data_);
    EXPECT_EQ(now[".BOX.$$$"] + now[".BO~.$$$"], "");
  }

  std::string data_;
  TSnapshot plain_, encrypted_;
};

TEST_F(MailboxCipherFaults, EncryptWithAnyFileCallFailing) {
  EachCallFails(plain_, encrypted_, [&] { Encrypt(); });
}

TEST_F(MailboxCipherFaults, DecryptWithAnyFileCallFailing) {
  EachCallFails(encrypted_, plain_, [&] { Decrypt(); });
}

TEST_F(MailboxCipherFaults, KilledPartWayLeavesAWholeMailbox) {
  // Every call from the n-th on fails, as if the program died there: whatever state is
  // left, it is whole (a ".$$$" leftover is harmless and replaced next time).
  for (bool encrypting : {true, false}) {
    const TSnapshot& from = encrypting ? plain_ : encrypted_;
    Restore(from);
    int calls = CountCalls([&] { encrypting ? Encrypt() : Decrypt(); });
    for (int n = 1; n <= calls; ++n) {
      Restore(from);
      {
        FileFaults faults(FileFaults::FromCall(n));
        try {
          encrypting ? Encrypt() : Decrypt();
        } catch (const EFileException&) {
        }
      }
      TMailBox box(Base("in"));
      SCOPED_TRACE(std::string(encrypting ? "encrypt" : "decrypt") + " killed at call " + std::to_string(n));
      if (box.IsEncrypted()) {
        DecryptMailbox(box, k_password);
      }
      EXPECT_EQ(ReadFileBytes(Path(".BOX")), data_);
    }
  }
}

// A full disk for real: no room for the cipher copy when encrypting, none for the plain
// one when decrypting.
using MailboxCipherDiskFull = SmallDiskTest;

TEST_F(MailboxCipherDiskFull, NoRoomLeavesTheMailboxAsItWas) {
  const std::string base = small_ + "in";
  {
    TMailBox box(base);
    for (int i = 0; i < 6; ++i) AddText(box, MessageText("m", std::string(15000, 'z')));
  }
  const std::string data = ReadFileBytes(base + ".BOX");
  for (bool encrypting : {true, false}) {
    Fill("filler");
    TSnapshot before = SnapshotOf(base);
    {
      TMailBox box(base);
      if (encrypting) {
        EXPECT_THROW(EncryptMailbox(box, k_password, nullptr, k_fast), EFileException);
      } else {
        EXPECT_THROW(DecryptMailbox(box, k_password), EFileException);
      }
    }
    EXPECT_EQ(SnapshotOf(base), before) << (encrypting ? "encrypting" : "decrypting");
    ASSERT_TRUE(platform::FileDelete(small_ + "filler"));
    TMailBox box(base);
    if (encrypting) EncryptMailbox(box, k_password, nullptr, k_fast);  // with room it works
  }
  TMailBox box(base);
  DecryptMailbox(box, k_password);
  EXPECT_EQ(ReadFileBytes(base + ".BOX"), data);
}

// Made once by the native build (password below, 1000 iterations, 64-byte chunks) and
// checked in: every build must read it, and to exactly these bytes.
TEST_F(MailboxCipher, ReadsTheCheckedInFile) {
  const std::string folder = std::string(QUILLET_TEST_DATA) + "/cipher/";
  for (const char* extension : {".IND", ".BO~"})
    WriteFileBytes(Path(extension), ReadFileBytes(folder + "sample" + extension));
  ASSERT_EQ(Refusal([&] { Decrypt("sample"); }).Failure(), TCipherFailure::WrongPassword);
  Decrypt("示例口令");
  EXPECT_EQ(ReadFileBytes(Path(".BOX")), ReadFileBytes(folder + "sample.BOX"));
  TMailBox box(Base("in"));
  EXPECT_EQ(ReadText(box, 1), MessageText("跨平台", "可以读出"));
}

}  // namespace
}  // namespace store_test

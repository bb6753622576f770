// The work of the mail store fuzzer, shared with the store's regression tests: a mailbox
// pair is made of the input bytes, then every reader, a few writers and Pack run over it.
// A broken promise of the store (a wrong result, not a clean error) aborts.
//
// Input: 4 bytes little-endian giving the index length, the index bytes, then the data
// file's bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"
#include "quillet/store/mailbox/mail_box.h"

namespace store_fuzz {

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "store fuzz: broken promise: %s\n", what);
  std::abort();
}

// The complete records of the index, decoded independently of the store.
struct TRawRecord {
  std::int32_t id;
  bool live;
  std::int32_t offset, size;
  bool unread = false;  // summary status byte 1
};

inline std::int32_t RawInt32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  std::int32_t out;
  std::memcpy(&out, &v, sizeof out);
  return out;
}

inline std::vector<TRawRecord> RawRecords(const std::string& index) {
  std::vector<TRawRecord> records;
  for (std::size_t at = 64; index.size() >= 64 && at + 176 <= index.size(); at += 176)
    records.push_back({RawInt32(index, at), index[at + 4] == 0, RawInt32(index, at + 5), RawInt32(index, at + 9),
                       index[at + 13 + 5] == 1});
  return records;
}

// Whether every element of part appears in whole, in the same order.
inline bool IsSubsequence(const std::vector<std::int32_t>& part, const std::vector<std::int32_t>& whole) {
  std::size_t at = 0;
  for (std::int32_t id : whole)
    if (at < part.size() && part[at] == id) ++at;
  return at == part.size();
}

inline bool Within(const TRawRecord& r, std::int64_t dataSize) {
  return r.offset >= 0 && r.size >= 0 && std::int64_t{r.offset} + r.size <= dataSize;
}

class TSilentPrompts : public TUserPrompts {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&) override { return false; }
};

// The header's unread and item counts as the opened pair has them on disk.
inline bool CountersDiffer(const std::string& indexPath, const std::vector<TRawRecord>& raw) {
  std::string header(64, '\0');
  platform::FileHandle f = platform::FileOpen(indexPath, platform::FileAccess::Read);
  Require(f != platform::k_invalidFile && platform::FileRead(f, &header[0], 64) == 64, "an opened index has a header");
  platform::FileClose(f);
  std::int32_t unread = 0, items = 0;
  for (const TRawRecord& r : raw) {
    if (!r.live) continue;
    ++items;
    if (r.unread) ++unread;
  }
  return RawInt32(header, 43) != unread || RawInt32(header, 47) != items;
}

inline void WriteWhole(const std::string& path, const std::string& bytes) {
  platform::FileHandle f = platform::FileCreate(path);
  Require(f != platform::k_invalidFile, "scratch file can be created");
  if (!bytes.empty()) platform::FileWrite(f, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  platform::FileClose(f);
}

// Reads every id of the input; checks lookups against the raw records and texts against
// the data bytes. Returns the texts of the items that could be read, by id.
inline std::map<std::int32_t, std::string> CheckReaders(TMailBox& box, const std::vector<TRawRecord>& raw,
                                                        const std::string& data) {
  std::map<std::int32_t, int> occurrences;
  for (const TRawRecord& r : raw) ++occurrences[r.id];
  std::map<std::int32_t, std::string> readable;
  for (const TRawRecord& r : raw) {
    TIdxRecord record;
    bool live = box.FindRecord(r.id, record);
    Require(record.Id == r.id, "FindRecord fills the record of the id");
    if (occurrences[r.id] == 1) {
      Require(live == r.live, "FindRecord tells live from deleted");
      Require(record.DataOffset == r.offset && record.DataSize == r.size, "FindRecord finds the record");
    }
    TMemoryStream whole, body;
    bool read = false;
    try {
      read = box.ReadMessage(r.id, whole, true);
      box.ReadMessage(r.id, body, false);
    } catch (const Exception&) {
      Require(!live || !Within({r.id, true, record.DataOffset, record.DataSize}, static_cast<std::int64_t>(data.size())),
              "a sound item can be read");
      continue;
    }
    Require(read == live, "ReadMessage reads live items only");
    if (!read) continue;
    Require(whole.Bytes() == data.substr(static_cast<std::size_t>(record.DataOffset), static_cast<std::size_t>(record.DataSize)),
            "ReadMessage returns the item's bytes");
    Require(body.Size() <= whole.Size(), "the body is part of the text");
    Require(whole.Bytes().compare(whole.Bytes().size() - body.Bytes().size(), std::string::npos, body.Bytes()) == 0,
            "the body ends the text");
    if (occurrences[r.id] == 1) readable[r.id] = whole.Bytes();
    TStringList lines;
    box.ReadLines(r.id, lines);
    box.NeighbourId(r.id, true);
    box.NeighbourId(r.id, false);
  }
  return readable;
}

inline void RunInput(const std::uint8_t* bytes, std::size_t size, const std::string& folder) {
  if (size < 4) return;
  std::uint32_t indexLength = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
  std::size_t rest = size - 4;
  std::size_t indexSize = std::min<std::size_t>(indexLength, rest);
  std::string index(reinterpret_cast<const char*>(bytes) + 4, indexSize);
  std::string data(reinterpret_cast<const char*>(bytes) + 4 + indexSize, rest - indexSize);
  std::string base = folder + "box";
  WriteWhole(base + ".IND", index);
  WriteWhole(base + ".BOX", data);
  platform::FileDelete(base + ".BO~");

  try {
    TMailBox box(base);
    std::vector<TRawRecord> raw = RawRecords(index);
    std::size_t liveCount = static_cast<std::size_t>(std::count_if(raw.begin(), raw.end(), [](const TRawRecord& r) { return r.live; }));
    THeadList heads;
    box.LoadHeads(heads);
    std::vector<TIdxRecord> records;
    box.ListRecords(records);
    std::vector<std::int32_t> ids;
    box.ListIds(ids);
    Require(static_cast<std::size_t>(heads.Count()) == liveCount && records.size() == liveCount && ids.size() == liveCount,
            "listing returns every live record");
    SortHeads(heads, 1 + static_cast<int>(size % 7), size % 2 == 0);

    bool encrypted = box.IsEncrypted();
    std::map<std::int32_t, std::string> readable;
    if (!encrypted) {
      readable = CheckReaders(box, raw, data);
      int damaged = 0;
      for (const TRawRecord& r : raw) {
        if (!r.live) continue;
        bool sound = r.offset >= 16 && Within(r, static_cast<std::int64_t>(data.size())) &&
                     data.compare(static_cast<std::size_t>(r.offset) - 16, 16, "\x10\x10\x10\x10\x10\x10\x10\x11\x11\x11\x11\x11\x11S\r\n") == 0;
        if (!sound) ++damaged;
      }
      if (CountersDiffer(base + ".IND", raw)) ++damaged;
      Require(box.CheckSeparators() == damaged, "CheckSeparators counts the damaged records and wrong counters");
      TSpaceInfo info = box.GetSpaceInfo();
      Require(info.LiveCount == static_cast<std::int32_t>(liveCount), "space info counts the live records");
      Require(info.DataFileSize == static_cast<std::int64_t>(data.size()), "space info measures the data file");
      box.EstimatedPackedSize();
    }
    box.NeedsPack(static_cast<int>(size % 101));
    box.GetTitle();

    TSilentPrompts prompts;
    std::vector<std::int32_t> before;
    box.ListIds(before);
    bool packed = false;
    try {
      packed = box.Pack(prompts);
    } catch (const Exception&) {
    }
    if (packed) {
      Require(box.CheckSeparators() == 0, "a packed pair is sound");
      std::vector<std::int32_t> after;
      box.ListIds(after);
      Require(IsSubsequence(before, after) && after.size() <= before.size() + 1,
              "Pack keeps every live item, in order, and at most a cut-off last one more");
      for (const auto& [id, text] : readable) {
        TMemoryStream out;
        Require(box.ReadMessage(id, out, true) && out.Bytes() == text, "Pack keeps the texts");
      }
    }
    if (!encrypted) {
      TMailHead head;
      head.Subject = "fuzz";
      head.Unread = 1;
      TMemoryStream text("Subject: fuzz\r\n\r\nbody");
      box.AddMessage(head, text);
      // Unique unless an older record already carried an id beyond the header's LastId.
      bool unique = std::none_of(raw.begin(), raw.end(), [&](const TRawRecord& r) { return r.id == head.Id; });
      if (unique) {
        TMailHead back;
        Require(box.ReadHead(head.Id, back) && back.Subject == "fuzz", "an appended message can be found");
        back.Unread = 0;
        box.WriteHead(back);
        Require(box.DeleteRecord(head.Id), "an appended message can be deleted");
      }
    }
  } catch (const Exception&) {
    // A clean error: short header, unreadable file, encrypted pair.
  }
  platform::FileDelete(base + ".IND");
  platform::FileDelete(base + ".BOX");
}

}  // namespace store_fuzz

// Peer comparison: the real test messages that Debian's Python ships
// (libpython3.11-testsuite) and our own cases of mail as real mailers write it
// (tests/data/peer), parsed by us and by Python's email package (compat32), run through
// scripts/email_peer.py. For each well-formed message the attachments (count,
// names, decoded bytes) must agree, and every text part Python finds must be in our
// display text, unless the message is listed below with the reason why we differ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "parser_test_util.h"
#include "platform/file.h"
#include "quillet/message/parser/attachment_names.h"
#include "quillet/message/codec/codecs.h"

namespace {

const char* const k_pythonMessages = "/usr/lib/python3.11/test/test_email/data";
const char* const k_python = "/usr/bin/python3";
const char* const k_ownMessages = QUILLET_TEST_DATA "/peer";
constexpr int k_ownMessageCount = 7;

// Where we differ from Python by design.
const std::map<std::string, std::string> k_byDesign = {
    {"msg_08.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_09.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_10.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_12.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_12a.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_40.txt", "text/html without a name is the attachment unknown.HTM (the viewer's page)"},
    {"msg_36.txt", "message/external-body is one part of its own (an attachment, having a name); "
                   "Python opens it as a container of header blocks"},
};

struct TPeerPart {
  std::string kind, contentType, name, payload;
};

struct TPeerMessage {
  std::string name, source, defects;
  std::vector<TPeerPart> parts;
};

std::string FromHex(const std::string& hex) {
  if (hex == "-") return std::string();
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::vector<TPeerMessage> ReadPeerFile(const std::string& path) {
  std::vector<TPeerMessage> messages;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string tag;
    fields >> tag;
    if (tag == "message") {
      messages.emplace_back();
      fields >> messages.back().name;
    } else if (tag == "source") {
      std::string hex;
      fields >> hex;
      messages.back().source = FromHex(hex);
    } else if (tag == "defects") {
      int count = 0;
      fields >> count;
      if (count > 0) std::getline(fields, messages.back().defects);
    } else if (tag == "part") {
      TPeerPart part;
      std::string name, payload;
      fields >> part.kind >> part.contentType >> name >> payload;
      part.name = FromHex(name);
      part.payload = FromHex(payload);
      messages.back().parts.push_back(part);
    }
  }
  return messages;
}

std::string WithoutTrailingLineEnds(std::string bytes) {
  while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) bytes.pop_back();
  return bytes;
}

// What differs between Python's view of the message and ours; empty when they agree.
std::vector<std::string> Differences(const TPeerMessage& peer) {
  TMemoryStream stream(peer.source);
  TMsgDecode msg(&stream, stream.Size(), 0);
  test_support::TRecordingPrompts prompts;
  msg.SetPrompts(&prompts);
  try {
    msg.Decode();
  } catch (const Exception& e) {
    return {"we raise \"" + e.Message() + "\""};
  }
  std::vector<std::string> differences;
  for (const std::string& shown : prompts.shown) differences.push_back("we show \"" + shown + "\"");

  std::vector<std::pair<std::string, std::string>> theirs, ours;
  for (const TPeerPart& part : peer.parts)
    if (part.kind == "attachment")
      theirs.emplace_back(SafeAttachmentName(FileNameForType(part.name, part.contentType)),
                          WithoutTrailingLineEnds(part.payload));
  for (size_t i = 0; i < msg.Attachments().size(); ++i) {
    TMemoryStream out;
    msg.SaveAttachFileToStream(static_cast<int>(i), out);
    ours.emplace_back(msg.Attachments()[i].FileName, WithoutTrailingLineEnds(out.Bytes()));
  }
  if (theirs.size() != ours.size()) {
    differences.push_back("attachments: Python " + std::to_string(theirs.size()) + ", we " +
                          std::to_string(ours.size()));
  } else {
    for (size_t i = 0; i < ours.size(); ++i) {
      if (ours[i].first != theirs[i].first)
        differences.push_back("attachment " + std::to_string(i) + " name: Python \"" + theirs[i].first +
                              "\", we \"" + ours[i].first + "\"");
      if (ours[i].second != theirs[i].second)
        differences.push_back("attachment " + std::to_string(i) + " bytes differ");
    }
  }

  // Python keeps a bare-LF message's line ends in its text; we show CR LF.
  const bool bareLf = peer.name.compare(0, 3, "lf_") == 0;
  const std::string text = msg.DisplayString();
  for (const TPeerPart& part : peer.parts) {
    std::string payload = WithoutTrailingLineEnds(bareLf ? WithCrLfLineEnds(part.payload) : part.payload);
    if (part.kind == "text" && !payload.empty() && text.find(payload) == std::string::npos)
      differences.push_back("a " + part.contentType + " text part is not in the display text");
  }
  return differences;
}

#ifdef _WIN32
constexpr bool k_windowsBuild = true;
#else
constexpr bool k_windowsBuild = false;
#endif

TEST(EmailPeer, AgreesWithPythonsEmailPackage) {
  if (k_windowsBuild)
    GTEST_SKIP() << "the peer test starts Debian's " << k_python << ", which a Windows build (run under Wine) cannot";
  if (!platform::DirectoryExists(k_pythonMessages))
    GTEST_SKIP() << k_pythonMessages << " is missing (Debian package libpython3.11-testsuite)";
  if (!platform::FileExists(k_python)) GTEST_SKIP() << k_python << " is missing";
  const std::string script = QUILLET_PEER_SCRIPT;
  const std::string expected = platform::TempFileName(platform::TempFolder(), "qpeer");
  ASSERT_FALSE(expected.empty());
  const std::string command =
      std::string(k_python) + " '" + script + "' '" + k_pythonMessages + "' '" + expected + "' '" + k_ownMessages + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<TPeerMessage> messages = ReadPeerFile(expected);
  platform::FileDelete(expected);
  ASSERT_GE(messages.size(), 40u);

  int compared = 0, ownCompared = 0;
  for (const TPeerMessage& peer : messages) {
    const bool own = peer.name.size() > 4 && peer.name.compare(peer.name.size() - 4, 4, ".eml") == 0;
    EXPECT_TRUE(!own || peer.defects.empty()) << peer.name << ": Python finds defects:" << peer.defects;
    if (!peer.defects.empty()) {
      // Not well-formed: only make sure we do not fail in a worse way than an error text.
      TMemoryStream stream(peer.source);
      TMsgDecode msg(&stream, stream.Size(), 0);
      try {
        msg.Decode();
      } catch (const Exception&) {
      }
      continue;
    }
    ++compared;
    if (own) ++ownCompared;
    std::vector<std::string> differences = Differences(peer);
    bool listed = k_byDesign.count(peer.name) > 0;
    std::string all;
    for (const std::string& d : differences) all += "\n  " + d;
    if (!listed) EXPECT_TRUE(differences.empty()) << peer.name << " differs from Python:" << all;
    else EXPECT_FALSE(differences.empty()) << peer.name << " is listed as differing but agrees with Python";
  }
  EXPECT_GE(compared, 30);
  EXPECT_EQ(ownCompared, k_ownMessageCount);
}

}  // namespace

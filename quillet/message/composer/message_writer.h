// The text of an outgoing message: header lines, body and attachments, written line by
// line into a stream (the end of a mailbox's data file), so that an attachment is read
// and encoded piece by piece and never held whole.
#pragma once

#include <string>

#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/composer/compose_settings.h"
#include "quillet/message/composer/recipients.h"

struct TComposeInput {
  std::string From, ReplyTo;   // From: the sender address built from the account
  TStringList To, CC, BCC;     // as typed
  std::string Subject;
  TStringList Body, Signature;
  TStringList Attachments;     // file paths; the files must exist
  int Priority = 3;            // 1 highest .. 5 lowest
  std::string VersionText;     // the program's file version
  const TRuntimeAddress* Resolver = nullptr;
  TAddressNameLookup NameOf;
  TProgressEvent OnProgress;   // reported while uuencoding
};

// "=====_Marten" + 12 random digits 0..8 + "_=====".
std::string MakeBoundary();

class TMessageWriter {
 public:
  // Expands the recipients; raises Exception k_noRecipient when no To address is left.
  TMessageWriter(const TComposeSettings& settings, const TComposeInput& input, std::string boundary);

  // The header lines up to and including "Mime-Version" (no empty line).
  void WriteHeader(TStream& out) const;
  // Full mode: the content lines, body (signature, encoding, ".." rule) and attachments.
  void WriteContent(TStream& out) const;
  // Save mode: an empty line and the body lines as typed.
  void WriteRawBody(TStream& out) const;

  const TStringList& ToEntries() const { return to_; }

 private:
  void WriteTextPart(TStream& out, const TStringList& lines, bool eightBit, bool encoded) const;
  void WriteMimeAttachment(TStream& out, const std::string& path) const;
  void WriteUUAttachment(TStream& out, const std::string& path) const;
  std::string HeaderWord(const std::string& text) const;

  const TComposeSettings& settings_;
  const TComposeInput& input_;
  std::string boundary_;
  TStringList to_, cc_, bcc_, attachments_;
};

// True when the body ends with the signature: compared line by line backwards from the
// last non-empty line of each, with at least one body line before the matching block.
bool EndsWithSignature(const TStringList& body, const TStringList& signature);

#include "quillet/message/composer/message_writer.h"

#include <random>

#include "quillet/common/exceptions.h"
#include "quillet/message/composer/composer_texts.h"

namespace {

constexpr char k_boundaryPrefix[] = "=====_Marten";
constexpr char k_boundarySuffix[] = "_=====";
constexpr int k_boundaryDigits = 12;

int LastNonEmpty(const TStringList& lines) {
  int i = static_cast<int>(lines.size()) - 1;
  while (i >= 0 && lines[static_cast<size_t>(i)].empty()) --i;
  return i;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The body with the signature (when it is not there yet), encoded when due, with "."
// lines doubled.
TStringList BodyLines(const TStringList& body, const TStringList& signature, bool encode) {
  TStringList lines = body;
  if (!EndsWithSignature(body, signature)) lines.insert(lines.end(), signature.begin(), signature.end());
  if (encode) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    TMemoryStream stream(std::move(text));
    TStringList encoded;
    TQuotedPrintable(&stream, &encoded).Encode();
    lines.swap(encoded);
  }
  for (std::string& line : lines)
    if (line == ".") line = "..";
  return lines;
}

}  // namespace

std::string MakeBoundary() {
  std::random_device device;
  std::uniform_int_distribution<int> digit(0, 8);
  std::string boundary = k_boundaryPrefix;
  for (int i = 0; i < k_boundaryDigits; ++i) boundary += static_cast<char>('0' + digit(device));
  return boundary + k_boundarySuffix;
}

bool EndsWithSignature(const TStringList& body, const TStringList& signature) {
  int b = LastNonEmpty(body), s = LastNonEmpty(signature);
  if (s < 0) return true;  // nothing to add
  for (; s >= 0; --s, --b) {
    if (b < 0 || body[static_cast<size_t>(b)] != signature[static_cast<size_t>(s)]) return false;
  }
  return b >= 0;
}

TMessageWriter::TMessageWriter(const TComposeSettings& settings, const TComposeInput& input, std::string boundary)
    : settings_(settings), input_(input), boundary_(std::move(boundary)) {
  const bool encodeNames = !settings.Subject8bit;
  to_ = ExpandRecipients(input.To, input.Resolver, input.NameOf, encodeNames);
  cc_ = ExpandRecipients(input.CC, input.Resolver, input.NameOf, encodeNames);
  bcc_ = ExpandRecipients(input.BCC, input.Resolver, input.NameOf, encodeNames);
  if (to_.empty()) throw Exception(composer_texts::k_noRecipient);
  for (const std::string& path : input.Attachments) attachments_.push_back(HeaderSafe(path));
}

std::string TMessageWriter::HeaderWord(const std::string& text) const {
  std::string safe = HeaderSafe(text);
  return !settings_.Subject8bit && HasEightBit(safe) ? EncodeWord(safe) : safe;
}

void TMessageWriter::WriteHeader(TStream& out) const {
  WriteLine(out, "From: " + HeaderSafe(input_.From));
  if (!input_.ReplyTo.empty()) WriteLine(out, "Reply-To: " + HeaderSafe(input_.ReplyTo));
  WriteRecipientLines(out, "To", to_);
  WriteRecipientLines(out, "CC", cc_);
  WriteRecipientLines(out, "BCC", bcc_);
  WriteLine(out, "Subject: " + HeaderWord(input_.Subject));
  if (!settings_.Organization.empty()) WriteLine(out, "Organization: " + HeaderWord(settings_.Organization));
  if (input_.Priority == 1) WriteLine(out, "X-Priority: 1 (Highest)");
  if (input_.Priority == 5) WriteLine(out, "X-Priority: 5 (Lowest)");
  WriteLine(out, "X-mailer: Quillet " + input_.VersionText + " [cn]");
  for (size_t i = 0; i < attachments_.size(); ++i) {
    const std::string lead = i == 0 ? "X-JayAttach: " : " ";
    WriteLine(out, lead + attachments_[i] + (i + 1 < attachments_.size() ? "," : ""));
  }
  if (settings_.UseMIME) WriteLine(out, "Mime-Version: 1.0");
}

void TMessageWriter::WriteRawBody(TStream& out) const {
  WriteLine(out, "");
  for (const std::string& line : input_.Body) WriteLine(out, line);
}

void TMessageWriter::WriteTextPart(TStream& out, const TStringList& lines, bool eightBit, bool encoded) const {
  WriteLine(out, "Content-Type: text/plain; charset=" + Quoted(CharSetLabel(settings_.CharSet, eightBit)));
  const char* encoding = encoded ? "quoted-printable" : eightBit ? "8bit" : "7bit";
  WriteLine(out, std::string("Content-Transfer-Encoding: ") + encoding);
  WriteLine(out, "");
  for (const std::string& line : lines) WriteLine(out, line);
}

void TMessageWriter::WriteContent(TStream& out) const {
  const bool eightBit = HasEightBit(input_.Body) || HasEightBit(input_.Signature);
  const bool encode = eightBit && settings_.UseMIME && settings_.AutoTextEncode;
  const TStringList lines = BodyLines(input_.Body, input_.Signature, encode);
  const bool multipart = settings_.UseMIME && !attachments_.empty();
  if (multipart) {
    WriteLine(out, "Content-Type: multipart/mixed; boundary=" + Quoted(boundary_));
    WriteLine(out, "");
    WriteLine(out, composer_texts::k_mimeIntro);
    WriteLine(out, "");
    WriteLine(out, "--" + boundary_);
  }
  WriteTextPart(out, lines, eightBit, encode);
  if (multipart) WriteLine(out, "");
  for (const std::string& path : input_.Attachments) {
    if (settings_.UseMIME) WriteMimeAttachment(out, path);
    else WriteUUAttachment(out, path);
  }
  if (multipart) WriteLine(out, "--" + boundary_ + "--");
}

void TMessageWriter::WriteMimeAttachment(TStream& out, const std::string& path) const {
  const std::string name = HeaderSafe(ExtractFileName(path));
  WriteLine(out, "--" + boundary_);
  WriteLine(out, "Content-Type: " + ContentTypeOfFile(name) + "; name=" + Quoted(name));
  WriteLine(out, "Content-Transfer-Encoding: base64");
  WriteLine(out, "Content-Disposition: attachment; filename=" + Quoted(name));
  WriteLine(out, "");
  TFileStream file(path, TFileStream::Mode::OpenRead);
  TBase64(&file, TCodecMode::Encode, &out, file.Size(), 0).Encode();
  WriteLine(out, "");
}

void TMessageWriter::WriteUUAttachment(TStream& out, const std::string& path) const {
  WriteLine(out, "begin 600 " + HeaderSafe(ExtractFileName(path)));
  TFileStream file(path, TFileStream::Mode::OpenRead);
  TUUCode job(&file, TCodecMode::Encode, &out, file.Size(), 0);
  job.OnProgress = input_.OnProgress;
  job.Encode();
  WriteLine(out, "end");
}

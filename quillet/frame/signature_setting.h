// The signature a new message gets, kept in [Signature]: "SigType" 0 none, 1 the lines
// typed in the setup dialog ("Lines" and "Line1" ... "Line<n>"), 2 the text of the file
// "ExternalFile".
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/common/profile_file.h"

// Stored in the ini file.
enum class TSignatureKind : std::int32_t { None = 0, Text = 1, File = 2 };

struct TSignatureSetting {
  TSignatureKind Kind = TSignatureKind::None;
  TStringList Lines;         // for Text
  std::string ExternalFile;  // for File; kept whatever the kind, so a choice can be undone
};

// A SigType no version wrote reads as None.
TSignatureSetting ReadSignatureSetting(const TProfileText& ini);
// Replaces the whole [Signature] section.
void WriteSignatureSetting(TProfileText& ini, const TSignatureSetting& setting);
// The lines the composer appends: none, the typed lines, or the external file's lines (a
// file that is missing or cannot be read gives none, so a message is never held up by it).
TStringList SignatureLines(const TProfileFile& ini);

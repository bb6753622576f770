#include "quillet/frame/signature_setting.h"

#include <algorithm>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"

namespace {

constexpr char k_section[] = "Signature";
// A section is read whole, so a damaged count cannot make a read run long.
constexpr std::int32_t k_maxLines = 1000;

std::string LineKey(std::int32_t n) { return "Line" + std::to_string(n); }

}  // namespace

TSignatureSetting ReadSignatureSetting(const TProfileText& ini) {
  TSignatureSetting setting;
  const std::int32_t kind = ini.ReadInteger(k_section, "SigType", 0);
  if (kind == 1 || kind == 2) setting.Kind = static_cast<TSignatureKind>(kind);
  setting.ExternalFile = ini.ReadString(k_section, "ExternalFile", "");
  const std::int32_t count = std::min(ini.ReadInteger(k_section, "Lines", 0), k_maxLines);
  for (std::int32_t n = 1; n <= count; ++n) setting.Lines.push_back(ini.ReadString(k_section, LineKey(n), ""));
  return setting;
}

void WriteSignatureSetting(TProfileText& ini, const TSignatureSetting& setting) {
  ini.EraseSection(k_section);
  ini.WriteInteger(k_section, "SigType", static_cast<std::int32_t>(setting.Kind));
  ini.WriteString(k_section, "ExternalFile", setting.ExternalFile);
  ini.WriteInteger(k_section, "Lines", static_cast<std::int32_t>(setting.Lines.size()));
  for (std::size_t i = 0; i < setting.Lines.size(); ++i)
    ini.WriteString(k_section, LineKey(static_cast<std::int32_t>(i + 1)), setting.Lines[i]);
}

TStringList SignatureLines(const TProfileFile& ini) {
  const TSignatureSetting setting = ReadSignatureSetting(ini.Load());
  if (setting.Kind == TSignatureKind::Text) return setting.Lines;
  if (setting.Kind != TSignatureKind::File || !platform::FileExists(setting.ExternalFile)) return {};
  try {
    return SplitLines(ReadWholeFile(setting.ExternalFile));
  } catch (const EFileException&) {
    return {};
  }
}

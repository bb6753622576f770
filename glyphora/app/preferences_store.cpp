#include "glyphora/app/preferences_store.h"

#include <algorithm>
#include <string>

#include "glyphora/app/app_resources.h"
#include "platform/registry.h"
#include "platform/win32/ui/window_text.h"

namespace glyphora::app {

namespace {

constexpr char k_preferencesKey[] = "Software\\Brindle\\Glyphora";
constexpr char k_preferencesValue[] = "Preferences";

// A stored colour is 0x00BBGGRR, as the system keeps colours.
COLORREF Colour(std::uint32_t stored) { return static_cast<COLORREF>(stored & 0x00FFFFFF); }

}  // namespace

void ApplyPreferences(Editor* editor, const Preferences& p) {
  EditorSettings& s = editor->settings;
  s.fontFace = p.fontFace;
  s.fontSize = p.fontSize;
  s.ramp = p.ramp;
  s.notice = p.notice;
  // A stored size of 0 is within the record's limits but no document can be that small.
  s.defaultWidth = std::max<int>(p.defaultWidth, 1);
  s.defaultHeight = std::max<int>(p.defaultHeight, 1);
  s.transparent = p.transparent != 0;
  s.selectionColour = Colour(p.selectionColour);
  DrawingOptions& o = editor->options;
  o.pencilBrush = p.pencilBrush;
  o.rubberBrush = p.rubberBrush;
  o.character = p.drawCharacter != 0 ? p.drawCharacter : '*';
  o.directionMode = p.directionMode != 0;
  o.compounds = p.compounds != 0;
}

void CollectPreferences(const Editor* editor, Preferences* p) {
  const DrawingOptions& o = editor->options;
  p->pencilBrush = o.pencilBrush;
  p->rubberBrush = o.rubberBrush;
  p->drawCharacter = o.character;
  p->directionMode = o.directionMode ? 1 : 0;
  p->compounds = o.compounds ? 1 : 0;
  p->transparent = editor->settings.transparent ? 1 : 0;
}

void LoadPreferences(Editor* editor, Preferences* preferences) {
  std::string stored;
  auto lookup = platform::RegistryReadBinary(platform::RegistryRoot::CurrentUser, k_preferencesKey,
                                             k_preferencesValue, stored);
  if (lookup == platform::RegistryLookup::Found) {
    auto load = PreferencesDecode(reinterpret_cast<const unsigned char*>(stored.data()), stored.size(), preferences);
    if (load == PreferencesLoad::LaterVersion)
      EditorAsk(editor, platform::win32::ui::ResourceString(STR_LATER_PREFERENCES), "Glyphora",
                MB_OK | MB_ICONINFORMATION);
  }
  ApplyPreferences(editor, *preferences);
}

bool SavePreferences(const Preferences& preferences) {
  std::vector<unsigned char> record = PreferencesEncode(preferences);
  return platform::RegistryWriteBinary(platform::RegistryRoot::CurrentUser, k_preferencesKey, k_preferencesValue,
                                       std::string(record.begin(), record.end()));
}

}  // namespace glyphora::app

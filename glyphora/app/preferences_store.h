// The preferences record in the registry (HKCU\Software\Brindle\Glyphora, binary value
// "Preferences") and what the editor takes from it.
#pragma once

#include "glyphora/app/editor.h"
#include "glyphora/document/preferences.h"

namespace glyphora::app {

// Reads the record over the defaults; a missing or unreadable value keeps the defaults.
// A later record (larger, or of version 5 or more) is used as far as read and string 404
// is shown. Fills the editor's settings and drawing options from it.
void LoadPreferences(Editor* editor, Preferences* preferences);
// Writes the record whole (version 4); false when the registry refused.
bool SavePreferences(const Preferences& preferences);
// The editor's settings and options from a record.
void ApplyPreferences(Editor* editor, const Preferences& preferences);
// The record with the editor's current drawing options put back into it.
void CollectPreferences(const Editor* editor, Preferences* preferences);

}  // namespace glyphora::app

// What the program records about itself in the registry: on the first run, the program
// key and the "mailto" handler when none is set; after every successful start-up check,
// the mail-client registration when it is missing. Each returns false when a write was
// refused (without administrator rights, HKEY_LOCAL_MACHINE is read-only); start-up goes
// on without the entries then, and the next start tries again.
#pragma once

#include <string>

// HKEY_LOCAL_MACHINE "Software\Halvard\Quillet": "Executable" = the path, "Description" =
// k_textClientDescription. HKEY_CLASSES_ROOT "mailto\shell\open\command": the open command
// when its default value is empty. HKEY_CLASSES_ROOT "mailto", when it exists (it is not
// created) and its default value is empty: k_textMailtoProtocol.
bool RecordProgram(const std::string& executablePath);

// Below HKEY_LOCAL_MACHINE "Software\Clients\Mail\Quillet", unless its default value is
// non-empty: "Protocols\mailto" with the default value k_textMailtoProtocol, the integer
// "EditFlags" = 2 and the empty string "URL Protocol"; "Protocols\mailto\DefaultIcon" with
// the executable's path; "Protocols\mailto\shell\open\command" with the open command;
// "shell\open\command" with the quoted path. The key's own default value "Quillet" is
// written last, so a registration cut short is completed by the next start.
bool RegisterMailClient(const std::string& executablePath);

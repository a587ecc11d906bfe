// The request to a running messenger to quit, and the bounded wait for its
// program file to come free: the installer asks before it replaces the
// program, the uninstaller before it removes it.
#pragma once

#include "core/string.h"

namespace brimel {

// The request's letter as the messenger ships it. The installer takes its
// own from its string table.
constexpr char kQuitLetter[] = "u";

// The request's parameters: a slash, the letter, a dot and the letter in
// upper case ("/u.U").
String QuitParameters(const String& letter);

// True when no messenger holds `program`: the file is missing, or it opens
// for reading and appending ("a+b", its read-only attribute cleared first),
// at once or after the program was started with the quit parameters made
// from `letter`. False when it is still held 15 seconds (whole seconds of
// the clock) after the request.
bool StopRunningMessenger(const String& program, const String& letter);

}  // namespace brimel

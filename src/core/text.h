// Small text operations shared by the registry, probe and dialog code.
#pragma once

#include <string>

namespace brimel {

// True for the six white-space characters: blank, tab, line feed, vertical
// tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// The text without white space at its end and then at its start.
std::string TrimText(const std::string& text);

// The folder path without the backslashes at its end; backslashes inside
// the path stay.
std::string StripTrailingBackslashes(const std::string& path);

}  // namespace brimel

// Registry access for the installer: plain results instead of key handles.
// Reads that fail return the not-found marker (NotFoundText()); writes and
// deletions return false. No key handle outlives a call.
#pragma once

#include "core/string.h"
#include "core/array.h"

namespace brimel {

// Root selector: 0 is the per-user hive, anything else the per-machine hive.
constexpr int kCurrentUser = 0;
constexpr int kLocalMachine = 1;

// The not-found marker ("NotFound" in the installer's string table): the
// application hands it over once it has loaded it, before any read.
const String& NotFoundText();
void SetNotFoundText(const String& text);
// True when a text read is a value: neither empty nor the marker.
inline bool IsFoundText(const String& text) { return !text.empty() && text != NotFoundText(); }

String ReadRegistryString(const String& keyPath, const String& valueName, int root);
bool WriteRegistryString(const String& keyPath, const String& valueName,
                         const String& data, int root);
bool WriteRegistryBinary(const String& keyPath, const String& valueName,
                         const Array<unsigned char>& data, int root);
bool DeleteRegistryValue(const String& keyPath, const String& valueName, int root);
// Copies string and binary values, then subkeys, from sourceParent\sourceKey
// to destinationParent\destinationKey, down to level 4.
void CopyRegistryTree(const String& sourceParent, const String& sourceKey,
                      const String& destinationParent, const String& destinationKey,
                      int root, int level);

}  // namespace brimel

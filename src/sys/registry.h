// Registry access for the installer: plain results instead of key handles.
// Reads that fail return the not-found marker (NotFoundText()); writes and
// deletions return false. No key handle outlives a call.
#pragma once

#include <string>
#include <vector>

namespace brimel {

// Root selector: 0 is the per-user hive, anything else the per-machine hive.
constexpr int kCurrentUser = 0;
constexpr int kLocalMachine = 1;

// The not-found marker "NotFound": the text the application handed over,
// otherwise the string-table entry.
const std::string& NotFoundText();
// The application hands over its own marker text once it has loaded it;
// the registry code keeps a copy.
void SetNotFoundText(const std::string& text);

std::string ReadRegistryString(const std::string& keyPath, const std::string& valueName, int root);
bool WriteRegistryString(const std::string& keyPath, const std::string& valueName,
                         const std::string& data, int root);
bool WriteRegistryBinary(const std::string& keyPath, const std::string& valueName,
                         const std::vector<unsigned char>& data, int root);
bool DeleteRegistryValue(const std::string& keyPath, const std::string& valueName, int root);
// Copies string and binary values, then subkeys, from sourceParent\sourceKey
// to destinationParent\destinationKey, down to level 4.
void CopyRegistryTree(const std::string& sourceParent, const std::string& sourceKey,
                      const std::string& destinationParent, const std::string& destinationKey,
                      int root, int level);

}  // namespace brimel

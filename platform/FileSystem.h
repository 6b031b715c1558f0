// Files and folders as the engine sees them.
//
// The engine's paths use backslashes and whatever letter case the data was
// written with ("data\Levels\Stage1.ini"). ToNativePath turns such a path into
// one the operating system accepts: backslashes become slashes, and each part
// that does not exist as spelt is looked up case-insensitively in its folder.
// Every other function here takes native paths.
#pragma once

#include <string>
#include <vector>

namespace Platform {

// Full path of the running executable, and its folder (no trailing slash).
std::string GetExecutablePath();
std::string GetExecutableFolder();
// Tests place the program elsewhere (a folder with or without data beside it);
// an empty folder brings back the real one.
void SetExecutableFolderForTests(const std::string& folder);

// $XDG_DATA_HOME, else $HOME/.local/share; no trailing slash; empty when neither is known.
std::string GetUserDataRoot();
// $XDG_CONFIG_HOME, else $HOME/.config; no trailing slash; empty when neither is known.
std::string GetUserConfigRoot();

// Backslashes to slashes, runs of separators collapsed, and the existing prefix
// of the path matched case-insensitively (an exact match is preferred; among
// several case-insensitive matches the first by byte order wins). The part that
// does not exist yet is kept as spelt.
std::string ToNativePath(const std::string& path);

// True when a file or a folder exists at the native path.
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);

// Creates one folder; false when it could not be created (an existing one included).
bool CreateFolder(const std::string& path);

struct FolderEntry
{
    std::string name;
    bool isFolder = false;
};

// The entries of a folder whose names match the mask (case-insensitive, '*' any
// run of characters, '?' one character), sorted by name byte-wise; "." and ".."
// are never listed. A folder that cannot be read gives no entries.
std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& mask);

bool WildcardMatch(const std::string& mask, const std::string& name);

// Deletes the file or folder at target with everything under it, but only when
// target lies strictly inside the folder within (compared after resolving ".",
// ".." and symbolic links of the existing part), and its last component is not
// empty, "." or "..". False when it refused or nothing was deleted.
bool DeleteTree(const std::string& target, const std::string& within);

// Moves from over to, replacing to atomically when both are on one file system.
bool ReplaceFile(const std::string& from, const std::string& to);

} // namespace Platform

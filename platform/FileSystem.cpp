#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// '?' stands for one character, which in UTF-8 may take several bytes.
std::size_t NextCharacter(const std::string& text, std::size_t at)
{
    ++at;
    while (at < text.size() && IsUtf8Continuation(text[at])) {
        ++at;
    }
    return at;
}

std::string StripTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// An environment folder counts only when it is set and absolute; a relative
// value would silently depend on the current directory.
std::string AbsoluteEnvironmentFolder(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return std::string();
    }
    return StripTrailingSlashes(value);
}

std::string UserRoot(const char* xdgName, const char* homeRelative)
{
    std::string root = AbsoluteEnvironmentFolder(xdgName);
    if (!root.empty()) {
        return root;
    }
    std::string home = AbsoluteEnvironmentFolder("HOME");
    if (home.empty()) {
        return std::string();
    }
    if (home.back() != '/') {
        home += '/';
    }
    return home + homeRelative;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

// The entry of folder whose name equals name ignoring case; among several,
// the first by byte order, so the choice does not depend on directory order.
bool FindNameNoCase(const std::string& folder, const std::string& name, std::string& found)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate(entry->d_name);
        if (EqualNoCase(candidate, name) && (!any || candidate < found)) {
            found = candidate;
            any = true;
        }
    }
    closedir(dir);
    return any;
}

// Absolute, with ".", ".." and repeated separators removed; the trailing
// empty element a final slash leaves is dropped too.
fs::path LexicallyAbsolute(const std::string& path, std::error_code& error)
{
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) {
        return fs::path();
    }
    fs::path normal = absolute.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

bool IsStrictlyInside(const fs::path& inner, const fs::path& outer)
{
    auto innerIt = inner.begin();
    for (auto outerIt = outer.begin(); outerIt != outer.end(); ++outerIt) {
        if (outerIt->empty()) {
            continue;
        }
        if (innerIt == inner.end() || *innerIt != *outerIt) {
            return false;
        }
        ++innerIt;
    }
    for (; innerIt != inner.end(); ++innerIt) {
        if (!innerIt->empty()) {
            return true;
        }
    }
    return false;
}

std::string LastComponent(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Read by the loading thread too, through the file layer.
std::mutex executableFolderMutex;
std::string executableFolderOverride;

} // namespace

std::string GetExecutablePath()
{
    std::error_code error;
    const fs::path target = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : target.string();
}

std::string GetExecutableFolder()
{
    {
        std::lock_guard<std::mutex> lock(executableFolderMutex);
        if (!executableFolderOverride.empty()) {
            return executableFolderOverride;
        }
    }
    const std::string path = GetExecutablePath();
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void SetExecutableFolderForTests(const std::string& folder)
{
    std::lock_guard<std::mutex> lock(executableFolderMutex);
    executableFolderOverride = folder;
}

std::string GetUserDataRoot()
{
    return UserRoot("XDG_DATA_HOME", ".local/share");
}

std::string GetUserConfigRoot()
{
    return UserRoot("XDG_CONFIG_HOME", ".config");
}

std::string ToNativePath(const std::string& path)
{
    if (path.empty()) {
        return std::string();
    }
    const bool absolute = IsSeparator(path.front());
    const bool trailing = IsSeparator(path.back());

    std::string result = absolute ? "/" : "";
    bool resolving = true;
    std::size_t at = 0;
    bool anyComponent = false;
    while (at < path.size()) {
        while (at < path.size() && IsSeparator(path[at])) {
            ++at;
        }
        std::size_t end = at;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end == at) {
            break;
        }
        std::string component = path.substr(at, end - at);
        at = end;

        if (resolving) {
            struct stat info;
            if (lstat(JoinPath(result, component).c_str(), &info) != 0) {
                std::string found;
                if (FindNameNoCase(result, component, found)) {
                    component = found;
                } else {
                    // Nothing below a missing part can exist; keep the rest as spelt.
                    resolving = false;
                }
            }
        }
        result = JoinPath(result, component);
        anyComponent = true;
    }
    if (trailing && anyComponent) {
        result += '/';
    }
    return result;
}

bool PathExists(const std::string& path)
{
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::string& path)
{
    return !path.empty() && mkdir(path.c_str(), 0777) == 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& mask)
{
    std::vector<FolderEntry> entries;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name(entry->d_name);
        if (name == "." || name == ".." || !WildcardMatch(mask, name)) {
            continue;
        }
        FolderEntry listed;
        listed.name = name;
        if (entry->d_type == DT_DIR) {
            listed.isFolder = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // A link to a folder is a folder to the caller, as it would be when opened.
            listed.isFolder = IsFolder(JoinPath(folder, name));
        }
        entries.push_back(std::move(listed));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool WildcardMatch(const std::string& mask, const std::string& name)
{
    // Greedy matching with one backtrack point: on a mismatch only the last
    // '*' is widened, which keeps the work linear in practice and never
    // exponential however many stars the mask holds.
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t star = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            star = m++;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            ++m;
            n = NextCharacter(name, n);
        } else if (m < mask.size() && FoldAscii(mask[m]) == FoldAscii(name[n])) {
            ++m;
            ++n;
        } else if (star != std::string::npos) {
            m = star + 1;
            starName = NextCharacter(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

bool DeleteTree(const std::string& target, const std::string& within)
{
    // A caller that builds "folder/" + name with an empty name must not get
    // the whole folder deleted, so the last component is checked as given.
    const std::string last = LastComponent(target);
    if (target.empty() || within.empty() || last.empty() || last == "." || last == "..") {
        return false;
    }

    std::error_code error;
    const fs::path lexicalTarget = LexicallyAbsolute(target, error);
    if (error) {
        return false;
    }
    const fs::path lexicalWithin = LexicallyAbsolute(within, error);
    if (error) {
        return false;
    }
    const fs::path resolvedWithin = fs::weakly_canonical(lexicalWithin, error);
    if (error) {
        return false;
    }
    // The target itself is checked with every link resolved, but what is
    // removed is the link when the target is one: remove_all never follows it.
    const fs::path resolvedTarget = fs::weakly_canonical(lexicalTarget, error);
    if (error) {
        return false;
    }
    const fs::path resolvedParent = fs::weakly_canonical(lexicalTarget.parent_path(), error);
    if (error) {
        return false;
    }
    const fs::path toRemove = resolvedParent / lexicalTarget.filename();
    if (!IsStrictlyInside(resolvedTarget, resolvedWithin) || !IsStrictlyInside(toRemove, resolvedWithin)) {
        return false;
    }

    const std::uintmax_t removed = fs::remove_all(toRemove, error);
    return !error && removed != static_cast<std::uintmax_t>(-1) && removed > 0;
}

bool ReplaceFile(const std::string& from, const std::string& to)
{
    if (from.empty() || to.empty()) {
        return false;
    }
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    if (errno != EXDEV) {
        return false;
    }
    // Across file systems: copy next to the destination first, so the old
    // file is only replaced by a complete new one.
    std::error_code error;
    const std::string staging = to + ".moving";
    if (!fs::copy_file(from, staging, fs::copy_options::overwrite_existing, error) || error) {
        fs::remove(staging, error);
        return false;
    }
    if (std::rename(staging.c_str(), to.c_str()) != 0) {
        fs::remove(staging, error);
        return false;
    }
    fs::remove(from, error);
    return true;
}

} // namespace Platform

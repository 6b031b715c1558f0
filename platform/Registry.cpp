#include "platform/Registry.h"

#include "platform/FileSystem.h"

#include <cstdio>
#include <fstream>
#include <mutex>

namespace Platform {

namespace {

constexpr const char* kDefaultMachineConfigRoot = "/etc/xdg";
constexpr const char* kRegistryFileName = "registry.ini";
// An installer writes a handful of short values; anything far larger is not
// one of our files and is not read into memory.
constexpr std::streamoff kMaxRegistryFileBytes = 1024 * 1024;

std::mutex g_machineRootMutex;
std::string g_machineRoot = kDefaultMachineConfigRoot;

std::string MachineRoot()
{
    std::lock_guard<std::mutex> lock(g_machineRootMutex);
    return g_machineRoot;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        x = (x >= 'A' && x <= 'Z') ? static_cast<char>(x - 'A' + 'a') : x;
        y = (y >= 'A' && y <= 'Z') ? static_cast<char>(y - 'A' + 'a') : y;
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> ReadValueFromFile(const std::string& path, const std::string& name)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxRegistryFileBytes) {
        std::fprintf(stderr, "%s: too large to be a registry file, ignored\n", path.c_str());
        return std::nullopt;
    }
    file.seekg(0, std::ios::beg);

    const std::string wanted = Trim(name);
    std::string line;
    bool firstLine = true;
    while (std::getline(file, line)) {
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            line.erase(0, 3); // an editor's UTF-8 mark, not part of the first name
        }
        firstLine = false;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        // The first line naming a value wins, as one registry key holds one value.
        if (EqualNoCase(Trim(trimmed.substr(0, equals)), wanted)) {
            return Trim(trimmed.substr(equals + 1));
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ReadRegistryValue(RegistryRoot root, const std::string& maker, const std::string& product,
                                             const std::string& name)
{
    const std::string folder = root == RegistryRoot::Machine ? MachineRoot() : GetUserConfigRoot();
    if (folder.empty() || maker.empty() || product.empty()) {
        return std::nullopt;
    }
    std::string path = folder;
    if (path.back() != '/') {
        path += '/';
    }
    path += maker + "/" + product + "/" + kRegistryFileName;
    return ReadValueFromFile(path, name);
}

void SetMachineConfigRoot(const std::string& folder)
{
    std::lock_guard<std::mutex> lock(g_machineRootMutex);
    g_machineRoot = folder;
}

} // namespace Platform

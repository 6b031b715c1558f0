#include "tools/RegistryReader.h"

#include <optional>

#include "engine/core/StringHelpers.h"
#include "platform/Registry.h"

namespace GameTools {

namespace {

constexpr std::uint32_t kLocalMachineIndex = 3;
constexpr std::uint32_t kCurrentUserIndex = 2;
// The installer's values were read into a buffer of this size, terminator included.
constexpr std::size_t kValueBufferBytes = 4096;

// "SOFTWARE\Maker\Product" -> maker and product; false for any other shape.
bool SplitKeyPath(const std::string& keyPath, std::string& maker, std::string& product)
{
    std::string path = keyPath;
    OrrelayEngine::ReplaceAll(path, "\\\\", "\\");
    const std::string prefix = "software\\";
    if (OrrelayEngine::ToLower(path.substr(0, prefix.size())) != prefix) {
        return false;
    }
    path.erase(0, prefix.size());
    const std::size_t separator = path.find('\\');
    if (separator == std::string::npos || separator == 0 || separator + 1 >= path.size()) {
        return false;
    }
    maker = path.substr(0, separator);
    product = path.substr(separator + 1);
    return product.find('\\') == std::string::npos;
}

} // namespace

RegistryKeyRoot RegistryRootKey(std::uint32_t index)
{
    switch (index) {
    case 0:
        return RegistryKeyRoot::ClassesRoot;
    case 1:
        return RegistryKeyRoot::CurrentConfig;
    case 3:
        return RegistryKeyRoot::LocalMachine;
    case 4:
        return RegistryKeyRoot::Users;
    default:
        return RegistryKeyRoot::CurrentUser;
    }
}

bool ReadRegistryString(std::uint32_t rootIndex, const std::string& keyPath, const std::string& valueName,
                        std::string& out)
{
    Platform::RegistryRoot root;
    switch (RegistryRootKey(rootIndex)) {
    case RegistryKeyRoot::LocalMachine:
        root = Platform::RegistryRoot::Machine;
        break;
    case RegistryKeyRoot::CurrentUser:
        root = Platform::RegistryRoot::User;
        break;
    default:
        return false; // the installer writes nothing under the other roots
    }
    std::string maker;
    std::string product;
    if (!SplitKeyPath(keyPath, maker, product)) {
        return false;
    }
    const std::optional<std::string> value = Platform::ReadRegistryValue(root, maker, product, valueName);
    if (!value) {
        return false;
    }
    const std::string text = value->substr(0, value->find('\0'));
    if (text.size() + 1 > kValueBufferBytes) {
        return false;
    }
    out = text;
    return true;
}

bool ReadRegistryStringAnyRoot(const std::string& keyPath, const std::string& valueName, std::string& out)
{
    return ReadRegistryString(kLocalMachineIndex, keyPath, valueName, out) ||
           ReadRegistryString(kCurrentUserIndex, keyPath, valueName, out);
}

} // namespace GameTools

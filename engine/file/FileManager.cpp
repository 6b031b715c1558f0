#include "engine/file/FileManager.h"

#include <cstdio>
#include <unordered_set>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileTextual.h"
#include "engine/file/PackFile.h"
#include "platform/FileSystem.h"

namespace OrrelayEngine {

namespace {

// Folders are entered only when their names match the mask; the limit stops a
// cycle of symbolic links with such names from recursing without end.
constexpr int kMaxListingDepth = 32;

bool IsSeparator(char character)
{
    return character == '\\' || character == '/';
}

const char kTemporarySuffix[] = ".tmp";

// The rule of listing and of the path helpers: a ':' anywhere, or a root.
bool HasColonOrRoot(const std::string& path)
{
    return path.find(':') != std::string::npos || (!path.empty() && path[0] == '/');
}

std::string FromProgramFolder(const std::string& path)
{
    return FileManager::IsAbsolutePath(path) ? path : GetProgramFolder() + "\\" + path;
}

void ListRecursive(const std::string& root, const std::string& mask, std::vector<std::string>& list, int depth)
{
    std::string folder = FileManager::MakeAbsolute(root);
    if (folder.empty() || !IsSeparator(folder.back()))
        folder += '\\';
    const bool rootEndsInSeparator = !root.empty() && IsSeparator(root.back());

    for (const Platform::FolderEntry& entry : Platform::ListFolder(Platform::ToNativePath(folder), mask)) {
        if (entry.isFolder) {
            if (depth < kMaxListingDepth)
                ListRecursive(folder + entry.name, mask, list, depth + 1);
            continue;
        }
        list.push_back(root + (rootEndsInSeparator ? "" : "\\") + entry.name);
    }
}

} // namespace

FileManager::FileManager(MessageManager* log, const std::string& baseFolder, const std::string& dataFolder) : log_(log)
{
    log_->LogInfo("Initialization of File Manager...");
    baseFolder_ = baseFolder.empty() ? GetProgramFolder() : baseFolder;
    const std::string searchRoot = dataFolder.empty() ? baseFolder_ : baseFolder_ + "\\" + dataFolder;

    std::vector<std::string> packPaths;
    ListFilesRecursive(searchRoot, "*.pak", packPaths);
    for (const std::string& path : packPaths) {
        try {
            packFiles_.push_back(std::make_unique<PackFile>(log_, path));
        } catch (const Error&) {
            // The pack has logged why it cannot be used; the others still serve.
        }
    }
}

FileManager::~FileManager()
{
    for (std::unique_ptr<PackFile>& pack : packFiles_)
        pack.reset();
}

bool FileManager::IsAbsolutePath(const std::string& path)
{
    return (path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'))) ||
           (!path.empty() && path[0] == '/');
}

std::string FileManager::GetFullPath(const std::string& name) const
{
    return IsAbsolutePath(name) ? name : baseFolder_ + "\\" + name;
}

std::string FileManager::GetNativePath(const std::string& name) const
{
    // A base folder given relative is itself taken from the program folder.
    return Platform::ToNativePath(FromProgramFolder(GetFullPath(name)));
}

std::string FileManager::GetTemporaryName(const std::string& name)
{
    return name + kTemporarySuffix;
}

void FileManager::CommitTemporary(const std::string& name) const
{
    const std::string temporary = GetNativePath(GetTemporaryName(name));
    if (!Platform::ReplaceFile(temporary, GetNativePath(name))) {
        std::remove(temporary.c_str());
        throw FileError("Failed to replace \"" + name + "\" file");
    }
}

void FileManager::DiscardTemporary(const std::string& name) const
{
    std::remove(GetNativePath(GetTemporaryName(name)).c_str());
}

std::unique_ptr<FileBinary> FileManager::OpenFile(const std::string& name, bool write, bool wholeInMemory)
{
    const std::string fullPath = GetFullPath(name);
    if (write) {
        CreateFolders(fullPath);
        return std::make_unique<FileBinary>(log_, fullPath, true, false);
    }

    std::uint32_t size = 0;
    // The pack lookup uses the name as given, not the full path.
    if (!ExistsOnDisk(fullPath) && FindInPacks(name, &size, nullptr)) {
        std::vector<std::uint8_t> buffer(size);
        FindInPacks(name, nullptr, buffer.data());
        return std::make_unique<FileBinary>(log_, fullPath, false, false, true, size, buffer.data());
    }
    return std::make_unique<FileBinary>(log_, fullPath, false, wholeInMemory);
}

std::unique_ptr<FileTextual> FileManager::OpenTextFile(const std::string& name, int mode, int encoding)
{
    std::unique_ptr<FileBinary> file = OpenFile(name, mode != FileTextual::kModeRead, false);
    return std::make_unique<FileTextual>(log_, std::move(file), mode, encoding);
}

bool FileManager::Exists(const std::string& name) const
{
    return ExistsOnDisk(GetFullPath(name)) || FindInPacks(name, nullptr, nullptr);
}

bool FileManager::FindInPacks(const std::string& name, std::uint32_t* size, void* memory) const
{
    std::string key = ToLower(name);
    ReplaceAll(key, "\\\\", "\\");
    for (const std::unique_ptr<PackFile>& pack : packFiles_) {
        if (!pack->FileExists(key))
            continue;
        if (size != nullptr)
            pack->GetFileSize(key, *size);
        if (memory != nullptr)
            pack->ReadFile(key, memory);
        return true;
    }
    return false;
}

void FileManager::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const
{
    const std::string root = HasColonOrRoot(folder) ? folder : baseFolder_ + "\\" + folder;
    ListFilesRecursive(root, mask, list);
    for (const std::unique_ptr<PackFile>& pack : packFiles_)
        pack->FindFiles(folder, mask, list);

    // Disk before packs, earlier packs before later ones: the first spelling stays.
    std::unordered_set<std::string> seen;
    std::vector<std::string> unique;
    unique.reserve(list.size());
    for (std::string& entry : list) {
        if (!entry.empty() && seen.insert(ToLower(entry)).second)
            unique.push_back(std::move(entry));
    }
    list.swap(unique);
}

std::string FileManager::GetFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileManager::GetExtension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

void FileManager::SetExtension(std::string& path, const std::string& extension)
{
    // The last dot of the whole path counts, even one in a folder name.
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos) {
        path.erase(extension.empty() ? dot : dot + 1);
        path += extension;
    } else if (!extension.empty()) {
        path += "." + extension;
    }
}

bool FileManager::HasExtension(const std::string& path, const std::string& extension)
{
    return ToLower(GetExtension(path)) == ToLower(extension);
}

std::string FileManager::GetDataPath(const std::string& name)
{
    return HasColonOrRoot(name) ? name : "data\\" + name;
}

std::string FileManager::MakeAbsolute(const std::string& path)
{
    return HasColonOrRoot(path) ? path : GetProgramFolder() + "\\" + path;
}

bool FileManager::ExistsOnDisk(const std::string& path)
{
    return Platform::PathExists(Platform::ToNativePath(FromProgramFolder(path)));
}

void FileManager::CreateFolders(const std::string& path)
{
    // Relative paths are taken from the program folder, as every file is, never
    // from the working folder.
    const std::string fullPath = FromProgramFolder(path);
    for (std::size_t i = 0; i < fullPath.size(); ++i) {
        if (!IsSeparator(fullPath[i]))
            continue;
        const std::string folder = fullPath.substr(0, i);
        if (folder.empty() || folder.back() == ':' || IsSeparator(folder.back()))
            continue;
        // Existing folders fail here, which is what we want to ignore.
        Platform::CreateFolder(Platform::ToNativePath(folder));
    }
}

bool FileManager::DeleteFolder(const std::string& path, const std::string& within)
{
    // Checked before conversion: the native form drops a trailing separator, and
    // "profiles\" must not become "profiles".
    std::size_t lastStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i]))
            lastStart = i + 1;
    }
    const std::string lastComponent = path.substr(lastStart);
    if (lastComponent.empty() || lastComponent == "." || lastComponent == "..")
        return false;

    const std::string target = FromProgramFolder(path);
    const std::string boundary = within.empty() ? GetProgramFolder() : FromProgramFolder(within);
    return Platform::DeleteTree(Platform::ToNativePath(target), Platform::ToNativePath(boundary));
}

std::string FileManager::GetAppDataFolder()
{
    return Platform::GetUserDataRoot();
}

void FileManager::ListFilesRecursive(const std::string& root, const std::string& mask, std::vector<std::string>& list)
{
    ListRecursive(root, mask, list, 0);
}

} // namespace OrrelayEngine

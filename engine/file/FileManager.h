// The one door to the program's files: resolves relative names from the base
// folder, looks on disk first and then in the pack files found under the data
// folder at construction, and hands out file objects that the caller owns.
//
// Paths are engine paths: backslashes, any letter case; a path starting with '/'
// or with a drive ("c:") is absolute. Conversion to native paths happens only at
// the operating-system boundary. The pack list never changes after construction,
// so the manager may be used from the loading thread and the main thread at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileBinary;
class FileTextual;
class MessageManager;
class PackFile;

class FileManager
{
public:
    FileManager(MessageManager* log, const std::string& baseFolder, const std::string& dataFolder);
    virtual ~FileManager();

    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    const std::string& GetBaseFolder() const { return baseFolder_; }

    // A loose file always wins over a pack entry of the same name. Writing
    // creates the missing folders first. Throws FileError.
    std::unique_ptr<FileBinary> OpenFile(const std::string& name, bool write, bool wholeInMemory = false);
    // mode 0 reads, 1 writes; encodings as FileTextual's.
    std::unique_ptr<FileTextual> OpenTextFile(const std::string& name, int mode, int encoding);

    bool Exists(const std::string& name) const;
    // Asks the packs in order; the first holding the name stores its size and
    // fills memory (each when given). Letter case and doubled backslashes do not matter.
    bool FindInPacks(const std::string& name, std::uint32_t* size, void* memory) const;
    // The files under folder on disk (full paths) and in the packs (relative
    // names), appended to list; then every name that occurs twice in list,
    // ignoring case, keeps only its first occurrence.
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const;

    // A path from a root ("/..."), a drive ("c:...") or a share ("\\\\...");
    // anything else is relative.
    static bool IsAbsolutePath(const std::string& path);
    // Where a name lives: a relative name under the base folder, wherever the
    // program was started from.
    std::string GetFullPath(const std::string& name) const;
    std::string GetNativePath(const std::string& name) const;

    // A file is saved whole or not at all: written to GetTemporaryName(name),
    // then put in place by CommitTemporary(name), which throws FileError (and
    // removes the temporary file) when the target cannot be replaced.
    static std::string GetTemporaryName(const std::string& name);
    void CommitTemporary(const std::string& name) const;
    // Removes what a failed save left behind; the target stays as it was.
    void DiscardTemporary(const std::string& name) const;

    static std::string GetFolder(const std::string& path);
    static std::string GetExtension(const std::string& path);
    static void SetExtension(std::string& path, const std::string& extension);
    static bool HasExtension(const std::string& path, const std::string& extension);
    static std::string GetDataPath(const std::string& name);
    static std::string MakeAbsolute(const std::string& path);
    // Relative paths are taken from the program folder.
    static bool ExistsOnDisk(const std::string& path);
    // Creates every folder along the path; the part after the last separator is
    // a file name and is not created.
    static void CreateFolders(const std::string& path);
    // Deletes a file or folder with everything under it, but only strictly inside
    // within (the program folder when empty); relative paths are taken from the
    // program folder. Refuses paths ending in nothing, "." or "..". False when
    // refused or nothing was deleted.
    static bool DeleteFolder(const std::string& path, const std::string& within = std::string());
    // Empty when the user's data root is unknown.
    static std::string GetAppDataFolder();
    // The files under root whose names match mask, root's form kept; subfolders
    // are entered only when their own names match the mask. Sorted by name, so
    // the result, and with it the pack order, is the same on every run.
    static void ListFilesRecursive(const std::string& root, const std::string& mask, std::vector<std::string>& list);

private:
    MessageManager* log_;
    std::string baseFolder_;
    // In search order.
    std::vector<std::unique_ptr<PackFile>> packFiles_;
};

} // namespace OrrelayEngine

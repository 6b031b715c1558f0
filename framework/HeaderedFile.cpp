#include "framework/HeaderedFile.h"

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/file/LittleEndian.h"
#include "platform/FileSystem.h"

namespace GameFramework {

namespace {

const char kBackupSuffix[] = ".bak";

} // namespace

HeaderedFile::HeaderedFile(OrrelayEngine::FileManager* files, const std::string& magic, std::uint32_t version)
    : files_(files), magic_(magic.substr(0, kMagicLength)), version_(version)
{
    magic_.resize(kMagicLength, '\0');
}

HeaderedFile::HeaderedFile(OrrelayEngine::Engine* engine, const std::string& magic, std::uint32_t version)
    : HeaderedFile(engine->GetFileManager(), magic, version)
{}

HeaderedFile::~HeaderedFile()
{
    try {
        Close();
    } catch (const OrrelayEngine::FileError&) {
        // A destructor cannot report; Close() has already kept the old file.
    }
}

bool HeaderedFile::Exists(const std::string& path) const
{
    return Platform::PathExists(files_->GetNativePath(path));
}

bool HeaderedFile::SetAsideDamaged(const std::string& path) const
{
    const std::string native = files_->GetNativePath(path);
    if (!Platform::PathExists(native))
        return true;
    return Platform::ReplaceFile(native, native + kBackupSuffix);
}

void HeaderedFile::Open(const std::string& path, std::uint32_t mode, bool acceptAnyVersion, std::uint32_t* versionRead)
{
    // A write still open here was never finished by its owner: drop it rather
    // than put a partial file in place.
    if (file_ != nullptr && mode_ != kModeRead)
        Abandon();
    Close();
    mode_ = mode;

    if (mode_ != kModeRead) {
        // Any leftover of an earlier failed save is simply overwritten.
        targetPath_ = path;
        file_ = files_->OpenFile(OrrelayEngine::FileManager::GetTemporaryName(path), true);
        WriteHeader(file_->GetPosition());
        return;
    }

    file_ = files_->OpenFile(path, false);
    std::uint8_t header[kHeaderBytes] = {};
    // A file too short for its header fails as the short read it is.
    file_->Read(header, kHeaderBytes);
    const std::string formatError = "Incorrect \"" + path + "\" file format";
    const std::uint32_t storedSize = OrrelayEngine::ReadLittleEndian32(header);
    if (magic_.compare(0, kMagicLength, reinterpret_cast<const char*>(header + 4), kMagicLength) != 0 ||
        storedSize != file_->GetSize()) {
        throw OrrelayEngine::FileError(formatError);
    }

    const std::uint32_t storedVersion = OrrelayEngine::ReadLittleEndian32(header + 9);
    if (acceptAnyVersion) {
        if (versionRead != nullptr)
            *versionRead = storedVersion;
        return;
    }
    if (storedVersion != version_) {
        throw OrrelayEngine::FileError("Incorrect \"" + path + "\" format version (" +
                                       OrrelayEngine::UIntToString(storedVersion) + "), current is " +
                                       OrrelayEngine::UIntToString(version_));
    }
}

void HeaderedFile::WriteHeader(std::uint32_t size)
{
    std::uint8_t header[kHeaderBytes] = {};
    OrrelayEngine::WriteLittleEndian32(header, size);
    for (std::uint32_t i = 0; i < kMagicLength; ++i)
        header[4 + i] = static_cast<std::uint8_t>(magic_[i]);
    OrrelayEngine::WriteLittleEndian32(header + 9, version_);
    file_->Write(header, kHeaderBytes);
}

void HeaderedFile::Close()
{
    if (file_ == nullptr)
        return;

    if (mode_ == kModeRead) {
        file_.reset();
        return;
    }

    try {
        // Writers only append, so the position is the size of the whole file.
        const std::uint32_t size = file_->GetPosition();
        file_->Seek(OrrelayEngine::FileBinary::kSeekFromStart, 0);
        WriteHeader(size);
        file_->Close();
    } catch (const OrrelayEngine::FileError&) {
        Abandon();
        throw;
    }

    file_.reset();
    files_->CommitTemporary(targetPath_);
}

bool HeaderedFile::Save(const std::string& path, const std::function<void(OrrelayEngine::FileBinary&)>& writeBody,
                        OrrelayEngine::MessageManager* log, const std::string& what)
{
    try {
        Open(path, kModeWrite);
        writeBody(*file_);
        Close();
        return true;
    } catch (const OrrelayEngine::FileError& error) {
        Abandon();
        log->LogError(what + " not saved: " + error.GetMessage());
        return false;
    }
}

void HeaderedFile::Abandon()
{
    if (file_ == nullptr)
        return;
    if (mode_ == kModeRead) {
        file_.reset();
        return;
    }
    try {
        file_->Close();
    } catch (const OrrelayEngine::FileError&) {
        // The file is removed below whatever state it was left in.
    }
    file_.reset();
    files_->DiscardTemporary(targetPath_);
}

} // namespace GameFramework

#include "engine/sound/SoundFileReader.h"

#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"

namespace OrrelayEngine {

SoundFileReader::SoundFileReader(MessageManager* log, FileManager* files, const std::string& name)
    : log_(log), files_(files), name_(name), path_(FileManager::GetDataPath(name))
{
    file_ = files_->OpenFile(path_, false);
}

SoundFileReader::SoundFileReader(MessageManager* log, const std::string& name) : log_(log), files_(nullptr), name_(name)
{}

SoundFileReader::~SoundFileReader() = default;

} // namespace OrrelayEngine

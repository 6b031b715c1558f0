#include "game/GameLogicData.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "engine/file/LittleEndian.h"
#include "engine/scene/ModelManager.h"
#include "framework/HeaderedFile.h"
#include "game/GameLevelRecord.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

const char kBoardsFolder[] = "data\\boards\\";
const char kBoardExtension[] = ".blf";
const char kEnvironmentsFolder[] = "data\\environments\\";
const char kEnvironmentFile[] = "\\environment.ini";
const char kEnvironmentModelsFolder[] = "environments\\";
// The shortest entry of an environment list: a one-letter name and three
// one-digit flags, each after a separator.
constexpr std::uint32_t kShortestEnvironmentEntry = 8;
// Width, height and record count.
constexpr std::uint32_t kBoardFieldBytes = 12;

std::string FormatError(const std::string& path)
{
    return "Incorrect \"" + path + "\" file format";
}

float ReadFloatAt(const std::uint8_t* bytes, std::uint32_t& offset, bool& finite)
{
    const std::uint32_t bits = ReadLittleEndian32(bytes + offset);
    offset += 4;
    float value = 0.0f;
    static_assert(sizeof value == sizeof bits, "floats are stored as their 32-bit pattern");
    std::memcpy(&value, &bits, sizeof value);
    finite = finite && std::isfinite(value);
    return value;
}

Vector3 ReadVectorAt(const std::uint8_t* bytes, std::uint32_t& offset, bool& finite)
{
    const float x = ReadFloatAt(bytes, offset, finite);
    const float y = ReadFloatAt(bytes, offset, finite);
    const float z = ReadFloatAt(bytes, offset, finite);
    return Vector3(x, y, z);
}

} // namespace

GameLogicData::GameLogicData(Engine* engine, const GameFramework::LanguageInfo& language,
                             const GameFramework::StageRecord* stage, const GameLevelRecord* level)
    : DataKeeper(engine, language, true), stage_(stage), level_(level)
{}

GameLogicData::~GameLogicData()
{
    StopLoading();
}

void GameLogicData::LoadResources()
{
    LoadBoard();
    LoadEnvironment();
}

void GameLogicData::ReadBoard(FileBinary& file, const std::string& path, Board& board)
{
    std::uint8_t fields[kBoardFieldBytes] = {};
    std::uint32_t got = 0;
    file.Read(fields, kBoardFieldBytes, &got);
    if (got != kBoardFieldBytes)
        throw FileError(FormatError(path));
    const std::uint32_t width = ReadLittleEndian32(fields);
    const std::uint32_t height = ReadLittleEndian32(fields + 4);
    const std::uint32_t count = ReadLittleEndian32(fields + 8);
    // Checked before anything is allocated for the records: the sides bound
    // the grid, the count the places, and the file must hold exactly the records.
    const std::uint64_t left = static_cast<std::uint64_t>(file.GetSize()) - file.GetPosition();
    if (width < 1 || width > kMaxBoardSide || height < 1 || height > kMaxBoardSide || count < 1 ||
        count > width * height || left != static_cast<std::uint64_t>(count) * kCellRecordBytes) {
        throw FileError(FormatError(path));
    }

    std::vector<CellRecord> cells;
    cells.reserve(count);
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(width) * height, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t bytes[kCellRecordBytes] = {};
        file.Read(bytes, kCellRecordBytes, &got);
        if (got != kCellRecordBytes)
            throw FileError(FormatError(path));
        CellRecord record;
        std::uint32_t offset = 0;
        record.layerCount = ReadLittleEndian32(bytes + offset);
        offset += 4;
        record.closed = bytes[offset++];
        record.blocked = bytes[offset++];
        record.x = ReadLittleEndian32(bytes + offset);
        offset += 4;
        record.y = ReadLittleEndian32(bytes + offset);
        offset += 4;
        bool finite = true;
        record.firstTranslation = ReadVectorAt(bytes, offset, finite);
        record.rotation.x = ReadFloatAt(bytes, offset, finite);
        record.rotation.y = ReadFloatAt(bytes, offset, finite);
        record.rotation.z = ReadFloatAt(bytes, offset, finite);
        record.rotation.w = ReadFloatAt(bytes, offset, finite);
        record.secondTranslation = ReadVectorAt(bytes, offset, finite);
        record.furtherVector = ReadVectorAt(bytes, offset, finite);
        if (record.x >= width || record.y >= height || record.layerCount > kMaxLayerCount || !finite)
            throw FileError(FormatError(path));
        std::uint8_t& place = taken[static_cast<std::size_t>(record.y) * width + record.x];
        if (place != 0)
            throw FileError(FormatError(path));
        place = 1;
        cells.push_back(record);
    }
    board.width = width;
    board.height = height;
    board.cells = std::move(cells);
}

void GameLogicData::LoadBoard()
{
    const std::string path = kBoardsFolder + level_->boardName + kBoardExtension;
    try {
        GameFramework::HeaderedFile file(fileManager_, kBoardMagic, kBoardVersion);
        file.Open(path, GameFramework::HeaderedFile::kModeRead);
        Board board;
        ReadBoard(*file.GetFile(), path, board);
        file.Close();
        board_ = std::move(board);
    } catch (const FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
}

void GameLogicData::LoadEnvironment()
{
    const std::string path = kEnvironmentsFolder + level_->environmentName + kEnvironmentFile;
    try {
        std::unique_ptr<FileTextual> file =
            fileManager_->OpenTextFile(path, FileTextual::kModeRead, FileTextual::kEncoding8Bit);
        const std::int32_t count = file->ReadInt();
        if (count < 0 || static_cast<std::uint64_t>(count) * kShortestEnvironmentEntry > file->GetLengthInChars()) {
            throw FileError(FormatError(path));
        }
        environmentModels_.assign(static_cast<std::size_t>(count), nullptr);
        environmentFlags_.assign(static_cast<std::size_t>(count) * kEnvironmentFlagCount, 0);
        for (std::int32_t i = 0; i < count; ++i) {
            std::string name;
            if (!file->ReadWord(name) || name.empty())
                throw FileError(FormatError(path));
            for (std::uint32_t flag = 0; flag < kEnvironmentFlagCount; ++flag)
                environmentFlags_[static_cast<std::size_t>(i) * kEnvironmentFlagCount + flag] =
                    file->ReadInt() > 0 ? 1 : 0;
            OrrelayEngine::Model* model = modelManager_->LoadModelTemplate(
                kEnvironmentModelsFolder + level_->environmentName + "\\models\\" + name + ".mlf", nullptr, 0);
            environmentModels_[static_cast<std::size_t>(i)] = model;
            AddUnnamedModel(model);
        }
        file->Close();
    } catch (const FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
}

} // namespace Tansywell

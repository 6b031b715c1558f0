// The resource set of one level: the cells of its board file and the models
// of its scenery. The board file is "data\boards\<board>.blf", a headered file
// ("PHBLF", version 103) of a width, a height and packed 66-byte cell records;
// the scenery is listed in "data\environments\<environment>\environment.ini".
// Both are the game's own data: any problem reading them is fatal.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/DataKeeper.h"
#include "game/CellRecord.h"

namespace OrrelayEngine {
class FileBinary;
}

namespace GameFramework {
struct StageRecord;
}

namespace Tansywell {

struct GameLevelRecord;

class GameLogicData : public GameFramework::DataKeeper
{
public:
    static constexpr char kBoardMagic[] = "PHBLF";
    static constexpr std::uint32_t kBoardVersion = 103;
    static constexpr std::uint32_t kBoardHeaderBytes = 25;
    static constexpr std::uint32_t kCellRecordBytes = 66;
    static constexpr std::uint32_t kMaxBoardSide = 256;
    static constexpr std::uint32_t kMaxLayerCount = 2;
    static constexpr std::uint32_t kEnvironmentFlagCount = 3;

    // What a board file holds behind its header.
    struct Board
    {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::vector<CellRecord> cells;
    };

    GameLogicData(OrrelayEngine::Engine* engine, const GameFramework::LanguageInfo& language,
                  const GameFramework::StageRecord* stage, const GameLevelRecord* level);
    ~GameLogicData() override;

    // Reads the board, then the environment; fatal on any problem.
    void LoadResources() override;

    // Reads the fields after the 13-byte header from the file's present
    // position; path names the file in the message. Throws FileError
    // "Incorrect "<path>" file format" on anything a board cannot be: a size
    // that does not match the record count, sides outside 1 to 256, no cell or
    // more cells than places, a cell outside the grid, more than two layers,
    // a number that is not finite, two cells on one place.
    static void ReadBoard(OrrelayEngine::FileBinary& file, const std::string& path, Board& board);

    // Boards made in code (tests, the level check) instead of read from a file.
    void SetBoard(Board board) { board_ = std::move(board); }

    std::uint32_t GetWidth() const { return board_.width; }
    std::uint32_t GetHeight() const { return board_.height; }
    const std::vector<CellRecord>& GetCellRecords() const { return board_.cells; }
    const std::vector<OrrelayEngine::Model*>& GetEnvironmentModels() const { return environmentModels_; }
    // kEnvironmentFlagCount per model.
    const std::vector<std::uint8_t>& GetEnvironmentFlags() const { return environmentFlags_; }
    const GameFramework::StageRecord* GetStage() const { return stage_; }
    const GameLevelRecord* GetLevel() const { return level_; }

private:
    void LoadBoard();
    void LoadEnvironment();

    const GameFramework::StageRecord* stage_;
    const GameLevelRecord* level_;
    std::vector<OrrelayEngine::Model*> environmentModels_;
    std::vector<std::uint8_t> environmentFlags_;
    Board board_;
};

} // namespace Tansywell

// A board over the null engine with undrawn items, for the board's tests and
// the simulated game: cells on every place of a doubled-row grid (x + y even)
// unless removed, one layer each unless changed, kinds placed by hand, the
// game's scoring table, and recorders for sounds, praise and score texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "framework/Mixer.h"
#include "framework/ScoreKeeper.h"
#include "game/CellRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/logic/Board.h"
#include "game/logic/BoardCharacter.h"
#include "game/logic/BoardItemNull.h"
#include "game/logic/BoardItemPoolNull.h"
#include "game/logic/BoardScoreTexts.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "game/logic/Cell.h"
#include "tests/game/GameDataTestEngine.h"

namespace BoardTests {

// Sounds named "<id>" note their id when they start.
class RecordingSound : public OrrelayEngine::Sound
{
public:
    RecordingSound(std::vector<std::uint32_t>* played, const std::string& name)
        : Sound(nullptr, nullptr, name), played_(played), id_(static_cast<std::uint32_t>(std::stoul(name)))
    {}
    bool Play() override
    {
        played_->push_back(id_);
        return true;
    }
    void Pause() override {}
    void Stop() override {}
    State GetState() const override { return kStopped; }

private:
    std::vector<std::uint32_t>* played_;
    std::uint32_t id_;
};

class RecordingSoundSystem : public OrrelayEngine::SoundSystem
{
public:
    RecordingSoundSystem() : SoundSystem(nullptr, nullptr, nullptr, false) {}
    std::unique_ptr<OrrelayEngine::Sound> CreateSound(const std::string& fileName) override
    {
        return std::make_unique<RecordingSound>(&played, fileName);
    }
    std::unique_ptr<OrrelayEngine::Sound> CloneSound(const OrrelayEngine::Sound&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CreateSoundBuffer(const std::string&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CloneSoundBuffer(const OrrelayEngine::SoundBuffer&) override
    {
        return nullptr;
    }

    std::vector<std::uint32_t> played;
};

class RecordingCharacter : public Tansywell::BoardCharacter
{
public:
    void RequestPraise(std::uint32_t level) override { praise.push_back(level); }
    void SayLevelEnd() override { ++levelEnds; }
    void Dismiss() override { ++dismissals; }

    std::vector<std::uint32_t> praise;
    int levelEnds = 0;
    int dismissals = 0;
};

class RecordingScoreTexts : public Tansywell::BoardScoreTexts
{
public:
    void AddText(std::uint32_t value, const OrrelayEngine::Vector2&) override { points.push_back(value); }

    std::vector<std::uint32_t> points;
};

class BoardHarness
{
public:
    static constexpr std::uint32_t kFirstSoundId = 15;
    static constexpr std::uint32_t kLastSoundId = 29;
    // A frame long enough that the mixer starts a sound again in the next one.
    static constexpr std::uint64_t kFrameMicroseconds = 100000;

    BoardHarness(std::uint32_t width, std::uint32_t height, std::uint32_t kinds = 5,
                 const GameTests::GameDataTestEngine::Files& files = {})
        : game(files), level_(MakeLevel(kinds)), pool(kinds, &bonuses)
    {
        board_.width = width;
        board_.height = height;
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = (y % 2); x < width; x += 2)
                board_.cells.push_back(MakeRecord(x, y, 1));
        }
        for (std::uint32_t id = kFirstSoundId; id <= kLastSoundId; ++id)
            mixer.AddSound(id, std::to_string(id), false, 2);
        const std::uint32_t points[] = {10, 100, 200, 150, 250, 500, 1000};
        for (std::uint32_t kind = 0; kind < 7; ++kind)
            scoreKeeper.AddPointValue(kind, points[kind]);
    }

    static Tansywell::CellRecord MakeRecord(std::uint32_t x, std::uint32_t y, std::uint32_t layers)
    {
        Tansywell::CellRecord record;
        record.layerCount = layers;
        record.x = x;
        record.y = y;
        record.firstTranslation = OrrelayEngine::Vector3(30.0f * x, 17.320508f * y, 0.0f);
        return record;
    }

    // The record of a place, before Build.
    Tansywell::CellRecord& Record(std::uint32_t x, std::uint32_t y)
    {
        for (Tansywell::CellRecord& record : board_.cells) {
            if (record.x == x && record.y == y)
                return record;
        }
        board_.cells.push_back(MakeRecord(x, y, 1));
        return board_.cells.back();
    }
    std::vector<Tansywell::CellRecord>& Records() { return board_.cells; }
    void SetLayersEverywhere(std::uint32_t layers)
    {
        for (Tansywell::CellRecord& record : board_.cells)
            record.layerCount = layers;
    }

    void Build(bool relaxMode = false, float energyFactor = 1.0f, bool withCharacter = true)
    {
        data_.SetBoard(board_);
        // Past the mixer's guard against restarting a sound at once.
        game.Frame(kFrameMicroseconds);
        board =
            std::make_unique<Tansywell::Board>(engine, &mixer, &game.data, &data_, withCharacter ? &character : nullptr,
                                               &scoreKeeper, &bonuses, &pool, &texts, relaxMode, energyFactor);
        Flush();
    }

    Tansywell::Cell* At(std::uint32_t x, std::uint32_t y) const { return board->GetCell(x, y); }
    Tansywell::BoardItem* ItemAt(std::uint32_t x, std::uint32_t y) const { return board->GetItem(At(x, y)); }
    std::uint32_t KindAt(std::uint32_t x, std::uint32_t y) const { return ItemAt(x, y)->GetKind(); }

    // Replaces the item of a place by a resting one of that kind.
    Tansywell::BoardItem* Place(std::uint32_t x, std::uint32_t y, std::uint32_t kind)
    {
        Tansywell::Cell* cell = At(x, y);
        pool.DestroyItem(board->GetItem(cell));
        Tansywell::BoardItem* item = pool.GetItem(kind);
        item->SetHome(cell->GetTopPosition());
        item->Spawn();
        item->SetWebbed(cell->IsBlocked());
        board->SetItem(cell, item);
        return item;
    }

    // Kinds 2 + y % 3 on every open cell: no two neighbours share a kind, so
    // kinds 0 and 1 placed by a test are the only ones that can match.
    void PlaceFiller()
    {
        for (std::uint32_t i = 0; i < board->GetCellCount(); ++i) {
            Tansywell::Cell* cell = board->GetCellAt(i);
            if (!cell->IsClosed())
                Place(cell->GetX(), cell->GetY(), 2 + cell->GetY() % 3);
        }
    }

    Tansywell::Bonus* GiveBonus(std::uint32_t x, std::uint32_t y, std::uint32_t kind)
    {
        Tansywell::Bonus* bonus = bonuses.CreateBonus(kind);
        ItemAt(x, y)->SetBonus(bonus);
        return bonus;
    }

    // One frame of the level: the board, then the items and bonuses, then the
    // sounds asked for.
    void Frame(Tansywell::Cell* hovered = nullptr, bool buttonWentDown = false, bool buttonHeld = false)
    {
        game.Frame(kFrameMicroseconds);
        board->Step(hovered, buttonWentDown, buttonHeld);
        pool.Update();
        bonuses.Update();
        sounds.Update(true);
    }
    void Click(std::uint32_t x, std::uint32_t y) { Frame(At(x, y), true, true); }
    // The sounds a direct call to the board asked for.
    void Flush()
    {
        game.Frame(kFrameMicroseconds);
        sounds.Update(true);
    }

    std::vector<std::uint32_t> TakeSounds()
    {
        std::vector<std::uint32_t> played;
        played.swap(soundSystem.played);
        return played;
    }

    std::uint32_t CountActiveItems() const
    {
        std::uint32_t count = 0;
        for (std::uint32_t i = 0; i < pool.GetItemCount(); ++i)
            count += pool.GetItemAt(i)->IsActive() ? 1 : 0;
        return count;
    }

private:
    static Tansywell::GameLevelRecord MakeLevel(std::uint32_t kinds)
    {
        Tansywell::GameLevelRecord level;
        level.kindCount = kinds;
        level.energyFactor = 1.0f;
        return level;
    }

public:
    GameTests::GameDataTestEngine game;
    OrrelayEngine::Engine* engine = game.engine;
    RecordingSoundSystem soundSystem;
    OrrelayEngine::SoundManager sounds{engine->GetMessageManager(), nullptr, &soundSystem};
    GameFramework::Mixer mixer{engine->GetMessageManager(), nullptr, &sounds, engine->GetTimerManager(), 0.37f, 0.48f};
    GameFramework::ScoreKeeper scoreKeeper{0};
    RecordingCharacter character;
    RecordingScoreTexts texts;
    Tansywell::BonusManager bonuses{engine, &game.data};

private:
    Tansywell::GameLevelRecord level_;
    Tansywell::GameLogicData::Board board_;
    Tansywell::GameLogicData data_{engine, GameTests::GameDataTestEngine::MakeLanguage(), nullptr, &level_};

public:
    Tansywell::BoardItemPoolNull pool;
    std::unique_ptr<Tansywell::Board> board;
};

} // namespace BoardTests

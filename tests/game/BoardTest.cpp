#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Random.h"
#include "engine/scene/ParticleSystem.h"
#include "game/logic/QueuedGroup.h"
#include "support/AllocationCounter.h"
#include "tests/game/BoardHarness.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;
using Tansywell::BoardItem;
using Tansywell::BoardItemNull;
using Tansywell::Cell;
using Tansywell::CellGroup;
using Tansywell::QueuedGroup;

struct Place
{
    std::uint32_t x;
    std::uint32_t y;
};

struct Placed
{
    std::uint32_t x;
    std::uint32_t y;
    std::uint32_t kind;
};

// Filler everywhere, then the given kinds, then a fresh move list.
void Lay(BoardHarness& h, const std::vector<Placed>& placed)
{
    h.PlaceFiller();
    for (const Placed& p : placed)
        h.Place(p.x, p.y, p.kind);
    h.board->ListMoves();
    h.TakeSounds();
}

std::vector<Place> Places(const std::vector<Cell*>& cells)
{
    std::vector<Place> places;
    for (const Cell* cell : cells)
        places.push_back(Place{cell->GetX(), cell->GetY()});
    return places;
}

bool operator==(const Place& a, const Place& b)
{
    return a.x == b.x && a.y == b.y;
}

std::ostream& operator<<(std::ostream& out, const Place& p)
{
    return out << "(" << p.x << ", " << p.y << ")";
}

// A column of n cells of one kind from (0, 0) on.
std::vector<Placed> Column(std::uint32_t n, std::uint32_t kind = 0)
{
    std::vector<Placed> column;
    for (std::uint32_t i = 0; i < n; ++i)
        column.push_back(Placed{0, 2 * i, kind});
    return column;
}

TEST(Board, NeighboursFollowTheDoubledRowsAndStopAtTheEdges)
{
    BoardHarness h(6, 8);
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 6; ++x)
            h.Record(x, y);
    }
    h.Build();
    const Place none{99, 99};
    const struct
    {
        Place cell;
        Place expected[6];
    } cases[] = {
        {{3, 4}, {{3, 6}, {4, 5}, {4, 3}, {3, 2}, {2, 3}, {2, 5}}},
        {{2, 0}, {{2, 2}, {3, 1}, none, none, none, {1, 1}}},
        {{2, 1}, {{2, 3}, {3, 2}, {3, 0}, none, {1, 0}, {1, 2}}},
        {{0, 4}, {{0, 6}, {1, 5}, {1, 3}, {0, 2}, none, none}},
        {{5, 6}, {none, none, none, {5, 4}, {4, 5}, {4, 7}}},
        {{5, 7}, {none, none, none, {5, 5}, {4, 6}, none}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cell);
        for (std::uint32_t direction = 0; direction < 6; ++direction) {
            const Cell* neighbour = h.board->GetNeighbour(h.At(c.cell.x, c.cell.y), direction);
            const Cell* expected =
                c.expected[direction] == none ? nullptr : h.At(c.expected[direction].x, c.expected[direction].y);
            EXPECT_EQ(expected, neighbour) << "direction " << direction;
        }
        EXPECT_EQ(nullptr, h.board->GetNeighbour(h.At(c.cell.x, c.cell.y), 6));
    }
    EXPECT_EQ(nullptr, h.board->GetNeighbour(nullptr, 0));
    EXPECT_EQ(nullptr, h.board->GetCell(6, 0));
    EXPECT_EQ(nullptr, h.board->GetCell(0, 8));
}

TEST(Board, StartingEnergyTruncatesLayersTimesTheStoredFactor)
{
    const struct
    {
        std::uint32_t width;
        std::uint32_t height;
        std::uint32_t layers;
        float factor;
        std::uint32_t expected;
    } cases[] = {
        {10, 5, 1, 1.0f, 18}, // 25 layers
        {10, 5, 2, 1.0f, 37}, // 50 layers
        {1, 1, 1, 1.0f, 0},   {10, 5, 1, 2.0f, 37}, {10, 5, 0, 1.0f, 0}, {10, 5, 1, -1.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " layers " << c.layers << " factor "
                                        << c.factor);
        BoardHarness h(c.width, c.height);
        h.SetLayersEverywhere(c.layers);
        h.Build(false, c.factor);
        EXPECT_EQ(c.expected, h.board->GetStartingEnergy());
        EXPECT_EQ(c.expected, h.board->GetEnergy());
        EXPECT_EQ(std::vector<std::uint32_t>{Board::kSoundLevelBegin}, h.TakeSounds());
    }
}

TEST(Board, ConstructionCountsLayersAndTheScoreTheyAreWorth)
{
    BoardHarness h(4, 2);
    h.Record(0, 0).layerCount = 2;
    h.Record(2, 0).closed = 1;
    h.Record(1, 1).blocked = 1;
    h.Record(3, 1).layerCount = 0;
    h.Build();
    EXPECT_EQ(4u, h.board->GetTotalLayers());
    EXPECT_EQ(200u + 300u + 250u, h.board->GetScorePotential());
    EXPECT_EQ(nullptr, h.ItemAt(2, 0)) << "a closed cell holds no item";
    EXPECT_TRUE(h.ItemAt(1, 1)->IsWebbed());
    EXPECT_FALSE(h.ItemAt(0, 0)->IsWebbed());
}

TEST(Board, ClicksSelectDeselectReselectAndSwap)
{
    BoardHarness h(5, 8);
    h.Build();
    Lay(h, {{0, 0, 0}, {0, 2, 0}, {0, 4, 1}, {1, 5, 0}, {4, 0, 1}, {3, 1, 1}, {4, 6, 0}, {3, 7, 1}});
    const std::uint32_t energy = h.board->GetEnergy();

    h.Click(2, 2);
    EXPECT_EQ(h.At(2, 2), h.board->GetSelectedCell());
    EXPECT_EQ(std::vector<std::uint32_t>{Board::kSoundSelect}, h.TakeSounds());
    h.Frame(h.At(2, 2), false, true);
    EXPECT_EQ(h.At(2, 2), h.board->GetSelectedCell()) << "a held button does not deselect";
    EXPECT_TRUE(h.TakeSounds().empty());
    h.Click(2, 2);
    EXPECT_EQ(nullptr, h.board->GetSelectedCell());
    EXPECT_EQ(std::vector<std::uint32_t>{Board::kSoundDeselect}, h.TakeSounds());

    h.Click(2, 2);
    h.Click(2, 6);
    EXPECT_EQ(h.At(2, 6), h.board->GetSelectedCell()) << "a cell that is no neighbour is selected instead";
    h.Click(4, 0);
    h.Click(3, 1);
    EXPECT_EQ(h.At(3, 1), h.board->GetSelectedCell()) << "a neighbour of the same kind is selected instead";
    EXPECT_EQ(1u, h.KindAt(4, 0));
    h.TakeSounds();

    // A swap that makes no group is undone and costs nothing.
    BoardItem* left = h.ItemAt(4, 6);
    BoardItem* right = h.ItemAt(3, 7);
    h.Click(4, 6);
    h.Click(3, 7);
    EXPECT_EQ(nullptr, h.board->GetSelectedCell());
    EXPECT_EQ(left, h.ItemAt(4, 6));
    EXPECT_EQ(right, h.ItemAt(3, 7));
    EXPECT_EQ(1u, static_cast<BoardItemNull*>(left)->GetJumpCount());
    EXPECT_EQ(1u, static_cast<BoardItemNull*>(right)->GetJumpCount());
    EXPECT_EQ((std::vector<std::uint32_t>{Board::kSoundSelect, Board::kSoundBadSwap}), h.TakeSounds());
    EXPECT_EQ(energy, h.board->GetEnergy());

    // Dragging with the button held swaps without a second click.
    h.Click(0, 4);
    h.Frame(h.At(1, 5), false, true);
    EXPECT_EQ((std::vector<std::uint32_t>{Board::kSoundSelect, Board::kSoundSwap}), h.TakeSounds());
    EXPECT_EQ(energy - 1, h.board->GetEnergy());
    ASSERT_EQ(1u, h.board->GetQueuedGroupCount());
    EXPECT_TRUE(h.ItemAt(0, 0)->IsLocked());
    EXPECT_EQ(h.At(0, 4)->GetTopPosition().x, h.ItemAt(0, 4)->GetHome().x) << "the item flew to its new cell";

    // A locked item cannot be picked; the group waits for a flight to land.
    static_cast<BoardItemNull*>(h.ItemAt(0, 4))->SetResting(false);
    h.Frame(h.At(0, 0), true, true);
    EXPECT_EQ(nullptr, h.board->GetSelectedCell());
    EXPECT_TRUE(h.TakeSounds().empty());
    EXPECT_EQ(0u, h.board->GetDestroyedCount());
    static_cast<BoardItemNull*>(h.ItemAt(0, 4))->SetResting(true);
    h.Frame();
    EXPECT_EQ(0u, h.board->GetQueuedGroupCount());
    EXPECT_EQ(3u, h.board->GetDestroyedCount());
}

TEST(Board, SwapCostsOneEnergyOutsideRelaxModeAndNeverGoesBelowZero)
{
    const struct
    {
        bool relax;
        float factor;
        bool doubleGroup;
        std::uint32_t groups;
        std::uint32_t energyAfter;
    } cases[] = {
        {false, 1.0f, false, 1, 29}, // 40 layers
        {false, 1.0f, true, 2, 29},
        {false, 0.0f, false, 1, 0},
        {true, 1.0f, true, 2, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "relax " << c.relax << " factor " << c.factor << " double "
                                        << c.doubleGroup);
        BoardHarness h(5, 16);
        h.Build(c.relax, c.factor);
        std::vector<Placed> placed = {{0, 0, 0}, {0, 2, 0}, {0, 4, 1}, {1, 5, 0}};
        if (c.doubleGroup) {
            placed.push_back({1, 7, 1});
            placed.push_back({2, 6, 1});
        }
        Lay(h, placed);
        h.Click(0, 4);
        h.Click(1, 5);
        EXPECT_EQ(c.groups, h.board->GetQueuedGroupCount());
        EXPECT_EQ(c.energyAfter, h.board->GetEnergy());
        EXPECT_EQ((std::vector<std::uint32_t>{Board::kSoundSelect, Board::kSoundSwap}), h.TakeSounds());
    }
}

TEST(Board, PickTakesTheNearestCellAndTheEarlierOnATie)
{
    BoardHarness h(3, 2);
    h.Records().clear();
    h.Records().push_back(BoardHarness::MakeRecord(0, 0, 1));
    h.Records().push_back(BoardHarness::MakeRecord(2, 0, 1));
    Tansywell::CellRecord lower = BoardHarness::MakeRecord(1, 1, 1);
    lower.firstTranslation = OrrelayEngine::Vector3(0.0f, 0.0f, -5.0f);
    h.Records().push_back(lower);
    h.Records()[1].firstTranslation = h.Records()[0].firstTranslation;
    h.Build();
    const OrrelayEngine::Vector3 above = h.board->GetCellAt(0)->GetCentre() + OrrelayEngine::Vector3(0, 0, 500);
    const OrrelayEngine::Vector3 down(0.0f, 0.0f, -1000.0f);
    EXPECT_EQ(h.board->GetCellAt(0), h.board->PickCell(above, down));
    const OrrelayEngine::Vector3 below = h.board->GetCellAt(0)->GetCentre() - OrrelayEngine::Vector3(0, 0, 500);
    EXPECT_EQ(h.board->GetCellAt(2), h.board->PickCell(below, down * -1.0f)) << "the nearest from below";
    EXPECT_EQ(nullptr, h.board->PickCell(above + OrrelayEngine::Vector3(1000, 0, 0), down));
}

TEST(Board, GroupSearchesFindLinesFromTheirEndsAndWholeComponents)
{
    BoardHarness h(5, 8);
    h.Build();
    Lay(h, {{0, 0, 0}, {0, 2, 0}, {0, 4, 0}, {4, 0, 1}, {3, 1, 1}});
    for (const Place& p : {Place{0, 0}, Place{0, 2}, Place{0, 4}})
        EXPECT_TRUE(h.board->IsInGroupOfThree(h.At(p.x, p.y))) << p;
    EXPECT_FALSE(h.board->IsInGroupOfThree(h.At(4, 0))) << "a pair";
    EXPECT_FALSE(h.board->IsInGroupOfThree(h.At(2, 2)));

    CellGroup group;
    group.Add(h.At(0, 2));
    h.board->FloodFill(group, 3);
    EXPECT_EQ((std::vector<Place>{Place{0, 2}}), Places(group.GetCells()))
        << "the middle of a line drops both branches";
    group.Clear();
    group.Add(h.At(0, 0));
    h.board->FloodFill(group, 3);
    EXPECT_EQ((std::vector<Place>{{0, 0}, {0, 2}, {0, 4}}), Places(group.GetCells()));

    h.board->FindGroups(3);
    ASSERT_EQ(2u, h.board->GetGroupCount());
    EXPECT_EQ(h.At(0, 0), h.board->GetGroup(0).GetFirst());
    EXPECT_EQ(h.At(0, 4), h.board->GetGroup(1).GetFirst());

    // Depth first in direction order: from (1, 3) down to (1, 5), then up.
    Lay(h, {{1, 3, 1}, {1, 5, 1}, {2, 6, 1}, {0, 2, 1}, {1, 1, 1}});
    group.Clear();
    group.Add(h.At(1, 3));
    h.board->FloodFill(group, 2);
    EXPECT_EQ((std::vector<Place>{{1, 3}, {1, 5}, {2, 6}, {1, 1}, {0, 2}}), Places(group.GetCells()));
}

struct FloodOnThread
{
    Board* board;
    CellGroup* group;
};

void* FloodFillFromFirstCell(void* argument)
{
    FloodOnThread* flood = static_cast<FloodOnThread*>(argument);
    flood->board->FloodFill(*flood->group, 2);
    return nullptr;
}

TEST(Board, FloodFillOfAHugeComponentFitsASmallStack)
{
    // One kind on the largest board the reader accepts: the first cell's
    // component is the whole board, and a search that recursed would go
    // tens of thousands of calls deep.
    BoardHarness h(32, 64, 1);
    h.Build();
    CellGroup group;
    group.Reserve(h.board->GetCellCount());
    group.Add(h.board->GetCellAt(0));
    FloodOnThread flood{h.board.get(), &group};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024);
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(&thread, &attributes, &FloodFillFromFirstCell, &flood));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(h.board->GetCellCount(), group.GetSize());
}

TEST(Board, TheLargestBoardBuildsAndPlays)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "32,768 cells take minutes under the address checker; the optimised pass plays them";
#endif
#endif
    // Every place of 256 x 256 holds a cell, each with its own models and
    // particles; one particle a cell keeps the test's memory small.
    OrrelayEngine::ParticleFile particles = Content::ParticleFileWriter::MakeFountain();
    particles.maxParticles = 1;
    const std::vector<std::uint8_t> psf = Content::ParticleFileWriter().Build(particles).GetBytes();
    const std::vector<std::uint8_t> srf = Content::ShaderFileWriter().Build().GetBytes();
    BoardHarness h(256, 256, 5,
                   {{"data/ui/menus/particles/mana_cell.psf", std::string(psf.begin(), psf.end())},
                    {"data/ui/menus/particles/mana_cell.srf", std::string(srf.begin(), srf.end())}});
    ASSERT_EQ(1u, h.game.data.manaCell->GetMaxParticles());
    h.Build(true);
    ASSERT_EQ(32768u, h.board->GetCellCount());
    for (int move = 0; move < 10; ++move) {
        ASSERT_NE(0u, h.board->GetMoveCount());
        h.board->TrySwap(h.board->GetMoveFirst(0), h.board->GetMoveSecond(0));
        ASSERT_NE(0u, h.board->GetQueuedGroupCount()) << "a listed move makes a group";
        while (h.board->GetQueuedGroupCount() != 0)
            h.Frame();
    }
    EXPECT_NE(0u, h.board->GetClearedLayers());
}

TEST(Board, QueueGroupAddsWhatItsBonusesReachAndLocksItems)
{
    const struct
    {
        const char* name;
        std::vector<Placed> bonuses;
        bool closedNeighbour;
        std::vector<Place> cells;
        std::uint32_t triggered;
        std::uint32_t counts[3];
    } cases[] = {
        {"none", {}, false, {{0, 0}, {0, 2}, {0, 4}}, 0, {0, 0, 0}},
        {"neighbours", {{0, 2, 0}}, false, {{0, 0}, {0, 2}, {0, 4}, {1, 3}, {1, 1}}, 1, {1, 0, 0}},
        {"closed neighbour dropped", {{0, 2, 0}}, true, {{0, 0}, {0, 2}, {0, 4}, {1, 3}}, 1, {1, 0, 0}},
        {"ring", {{0, 0, 1}}, false, {{0, 0}, {0, 2}, {0, 4}, {1, 1}, {1, 3}, {0, 6}, {1, 5}}, 1, {0, 1, 0}},
        {"colour", {{0, 4, 2}}, false, {{0, 0}, {0, 2}, {0, 4}, {4, 6}}, 1, {0, 0, 1}},
        {"chain",
         {{0, 2, 0}, {1, 3, 0}},
         false,
         {{0, 0}, {0, 2}, {0, 4}, {1, 3}, {1, 1}, {1, 5}, {2, 4}, {2, 2}},
         2,
         {2, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BoardHarness h(5, 8);
        if (c.closedNeighbour)
            h.Record(1, 1).closed = 1;
        h.Build();
        Lay(h, {{0, 0, 0}, {0, 2, 0}, {0, 4, 0}, {4, 6, 0}});
        for (const Placed& b : c.bonuses)
            h.GiveBonus(b.x, b.y, b.kind);
        h.board->QueueGroup(h.At(0, 0));
        ASSERT_EQ(1u, h.board->GetQueuedGroupCount());
        const QueuedGroup& queued = h.board->GetQueuedGroup(0);
        EXPECT_EQ(c.cells, Places(queued.cells));
        EXPECT_EQ(3u, queued.componentSize);
        EXPECT_EQ(c.triggered, queued.bonusesTriggered);
        for (std::uint32_t kind = 0; kind < 3; ++kind)
            EXPECT_EQ(c.counts[kind], queued.bonusCounts[kind]) << "bonus kind " << kind;
        for (const Place& p : c.cells)
            EXPECT_TRUE(h.ItemAt(p.x, p.y)->IsLocked()) << p;
        EXPECT_FALSE(h.ItemAt(4, 0)->IsLocked());
    }
}

TEST(Board, DestroyedGroupsAwardBonusesBySizeAndByTheBonusesTheyHeld)
{
    const struct
    {
        const char* name;
        std::uint32_t size;
        std::vector<Placed> bonuses;
        int awardedKind; // -1: none
    } cases[] = {
        {"three", 3, {}, -1},
        {"four", 4, {}, 0},
        {"five", 5, {}, 1},
        {"six", 6, {}, -1},
        {"two bonuses", 3, {{0, 0, 0}, {0, 2, 0}}, 2},
        {"two bonuses with a colour bonus", 3, {{0, 0, 2}, {0, 2, 0}}, -1},
        {"colour bonus in a group of four", 4, {{0, 0, 2}, {0, 2, 0}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OrrelayEngine::SetRandomSeed(7);
        BoardHarness h(5, 14);
        h.Build();
        Lay(h, Column(c.size));
        for (const Placed& b : c.bonuses)
            h.GiveBonus(b.x, b.y, b.kind);
        h.board->QueueGroup(h.At(0, 0));
        std::vector<Cell*> cells = h.board->GetQueuedGroup(0).cells;
        h.board->Resolve();
        h.pool.Update();
        if (c.awardedKind < 0) {
            EXPECT_EQ(0u, h.bonuses.GetBonusCount());
            continue;
        }
        ASSERT_EQ(1u, h.bonuses.GetBonusCount());
        EXPECT_EQ(static_cast<std::uint32_t>(c.awardedKind), h.bonuses.GetBonus(0)->GetKind());
        const auto carrier = std::find_if(cells.begin(), cells.end(), [&](const Cell* cell) {
            return h.board->GetItem(cell) != nullptr && h.board->GetItem(cell)->GetBonus() == h.bonuses.GetBonus(0);
        });
        EXPECT_NE(cells.end(), carrier) << "on a new item of one of the group's cells";
    }
}

TEST(Board, ResolveCreditsSoundsAndPraisesByWhatTheStepDestroyed)
{
    const struct
    {
        std::uint32_t destroyed;
        std::uint32_t layered;
        std::uint32_t credited;
        std::uint32_t sound;
        int praise; // -1: none
    } cases[] = {
        {3, 3, 3, 19, 1},
        {4, 4, 4, 20, 1},
        {5, 5, 6, 21, 2},
        {6, 6, 8, 22, 2},
        {7, 7, 11, 23, 3},
        {3, 0, 0, 19, -1},
        {4, 0, 0, 20, 0},
        {6, 0, 0, 22, 1},
        {7, 0, 0, 23, 2},
        {7, 2, 3, 23, 1},
        // Fewer than three (groups that overlapped): no combination bonus.
        {2, 2, 2, 23, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.destroyed << " destroyed, " << c.layered << " with a layer");
        BoardHarness h(5, 14);
        for (std::uint32_t i = c.layered; i < c.destroyed; ++i)
            h.Record(0, 2 * i).layerCount = 0;
        h.Build();
        Lay(h, Column(c.destroyed));
        h.board->QueueGroup(h.At(0, 0));
        h.board->Resolve();
        h.Flush();
        EXPECT_EQ(c.destroyed, h.board->GetDestroyedCount());
        EXPECT_EQ(c.credited, h.board->GetClearedLayers());
        EXPECT_EQ(c.layered, h.board->GetLayerPositions().size());
        EXPECT_EQ(std::vector<std::uint32_t>{c.sound}, h.TakeSounds());
        std::vector<std::uint32_t> praise;
        if (c.praise >= 0)
            praise.push_back(static_cast<std::uint32_t>(c.praise));
        EXPECT_EQ(praise, h.character.praise);
        EXPECT_EQ(c.credited == 0 ? 1u : 0u, h.board->GetDryStepCount());
        EXPECT_EQ(c.destroyed * 10 + c.layered * 100, h.scoreKeeper.GetScore());
        EXPECT_FALSE(h.board->IsWon());
        EXPECT_FALSE(h.board->IsLost());
    }
}

TEST(Board, BonusSoundsPlayOncePerStep)
{
    BoardHarness h(5, 14);
    h.Build();
    Lay(h, Column(3));
    h.GiveBonus(0, 0, 0);
    h.GiveBonus(0, 4, 0);
    h.board->QueueGroup(h.At(0, 0));
    h.board->Resolve();
    h.Flush();
    const std::vector<std::uint32_t> sounds = h.TakeSounds();
    EXPECT_EQ(1, std::count(sounds.begin(), sounds.end(), Board::kSoundBonusItemDestruction));
    EXPECT_EQ(0, std::count(sounds.begin(), sounds.end(), Board::kSoundBonusColorDestruction));
    EXPECT_EQ(1, std::count(sounds.begin(), sounds.end(), Board::kSoundCombination4)) << "eight destroyed";
}

TEST(Board, BlockedCellsLoseTheirWebAndClosedCellsOpenWhenTheirNeighboursAreCleared)
{
    {
        SCOPED_TRACE("blocked");
        BoardHarness h(5, 8);
        for (const Placed& p : Column(3))
            h.Record(p.x, p.y).blocked = 1;
        h.Build();
        Lay(h, Column(3));
        EXPECT_TRUE(h.ItemAt(0, 0)->IsWebbed());
        h.board->QueueGroup(h.At(0, 0));
        h.board->Resolve();
        EXPECT_EQ((std::vector<std::uint32_t>{160, 160, 160}), h.texts.points);
        EXPECT_EQ(480u, h.scoreKeeper.GetScore());
        EXPECT_EQ(0u, h.board->GetClearedLayers());
        for (const Placed& p : Column(3)) {
            EXPECT_FALSE(h.At(p.x, p.y)->IsBlocked());
            EXPECT_EQ(1u, h.At(p.x, p.y)->GetLayerCount());
            EXPECT_FALSE(h.ItemAt(p.x, p.y)->IsWebbed()) << "refilled without a web";
        }
    }
    {
        SCOPED_TRACE("closed");
        BoardHarness h(5, 8);
        h.Record(0, 0).closed = 1;
        h.Build();
        Lay(h, {{0, 2, 0}, {1, 1, 0}, {2, 0, 0}});
        h.board->QueueGroup(h.At(0, 2));
        h.board->Resolve();
        EXPECT_FALSE(h.At(0, 0)->IsClosed());
        EXPECT_NE(nullptr, h.ItemAt(0, 0)) << "refilled in the same step";
        EXPECT_EQ((std::vector<std::uint32_t>{110, 110, 110, 210}), h.texts.points);
    }
}

TEST(Board, TenStepsWithoutAClearedLayerBringAColourBonusOfTheCommonestLayeredKind)
{
    OrrelayEngine::SetRandomSeed(11);
    BoardHarness h(5, 8);
    h.SetLayersEverywhere(0);
    for (const Place& p : {Place{1, 1}, Place{2, 4}, Place{4, 2}})
        h.Record(p.x, p.y).layerCount = 1;
    h.Build();
    // The filler puts kind 3 on two of the three layered cells, kind 4 on one.
    Lay(h, {});
    int bonusesGiven = 0;
    for (int step = 1; step <= 60; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        for (const Placed& p : Column(3))
            h.Place(p.x, p.y, 0);
        h.board->QueueGroup(h.At(0, 0));
        h.board->Resolve();
        h.pool.Update();
        EXPECT_EQ(static_cast<std::uint32_t>(step), h.board->GetDryStepCount());
        bool firstOfKind = true;
        for (const Placed& p : Column(3)) {
            const BoardItem* item = h.ItemAt(p.x, p.y);
            const bool due = step > 10 && firstOfKind && item->GetKind() == 3;
            if (item->GetKind() == 3)
                firstOfKind = false;
            ASSERT_EQ(due, item->GetBonus() != nullptr) << Place{p.x, p.y};
            if (due) {
                EXPECT_EQ(2u, item->GetBonus()->GetKind());
                ++bonusesGiven;
            }
        }
    }
    EXPECT_GE(bonusesGiven, 2) << "the bonus comes again while no layer is cleared";
}

// Kinds (0, 0, 1 | 0) at (0, 0), (0, 2), (0, 4) and (1, 5): swapping (0, 4)
// with (1, 5) makes a line of three on the only layered cells but `extra`.
BoardHarness& SwapIntoLastLayers(BoardHarness& h, bool relax, float factor, std::vector<Place> extraLayers)
{
    h.SetLayersEverywhere(0);
    for (const Placed& p : Column(3))
        h.Record(p.x, p.y).layerCount = 1;
    for (const Place& p : extraLayers)
        h.Record(p.x, p.y).layerCount = 1;
    h.Build(relax, factor);
    Lay(h, {{0, 0, 0}, {0, 2, 0}, {0, 4, 1}, {1, 5, 0}});
    h.Click(0, 4);
    h.Click(1, 5);
    h.TakeSounds();
    h.Frame();
    return h;
}

TEST(Board, TheLastSwapCanWinAndLoseInOneStepAndTheWinCounts)
{
    BoardHarness h(5, 8);
    SwapIntoLastLayers(h, false, 0.5f, {});
    EXPECT_EQ(0u, h.board->GetEnergy());
    EXPECT_TRUE(h.board->IsWon());
    EXPECT_TRUE(h.board->IsLost());
    EXPECT_EQ(1, h.character.levelEnds);
    EXPECT_EQ(0, h.character.dismissals);
    EXPECT_TRUE(h.character.praise.empty()) << "no praise after the goodbye";
    EXPECT_EQ((std::vector<std::uint32_t>{Board::kSoundLevelEnd, Board::kSoundCombination0}), h.TakeSounds());
    for (std::uint32_t i = 0; i < h.board->GetCellCount(); ++i)
        EXPECT_EQ(nullptr, h.board->GetItem(h.board->GetCellAt(i)));
    h.Frame();
    EXPECT_FALSE(h.pool.IsAnyItemActive()) << "no new board after the end";
}

TEST(Board, ALostLevelStaysEmptyAndUnpraisedAndRelaxModeIsNeverLost)
{
    {
        SCOPED_TRACE("lost");
        BoardHarness h(5, 8);
        SwapIntoLastLayers(h, false, 0.5f, {{4, 6}, {3, 7}});
        EXPECT_FALSE(h.board->IsWon());
        EXPECT_TRUE(h.board->IsLost());
        EXPECT_EQ(1, h.character.dismissals);
        EXPECT_TRUE(h.character.praise.empty());
        EXPECT_EQ((std::vector<std::uint32_t>{Board::kSoundLevelFailed, Board::kSoundCombination0}), h.TakeSounds());
        for (int frame = 0; frame < 3; ++frame)
            h.Frame();
        EXPECT_FALSE(h.pool.IsAnyItemActive()) << "a lost level is not dealt a new board";
    }
    {
        SCOPED_TRACE("relax");
        BoardHarness h(5, 8);
        SwapIntoLastLayers(h, true, 0.0f, {{4, 6}, {3, 7}});
        EXPECT_EQ(0u, h.board->GetEnergy());
        EXPECT_FALSE(h.board->IsLost());
        EXPECT_EQ(std::vector<std::uint32_t>{1}, h.character.praise);
        EXPECT_NE(nullptr, h.ItemAt(0, 0));
    }
}

TEST(Board, AGroupThatWaitedKeepsItsHandsOffItemsRefilledMeanwhile)
{
    BoardHarness h(5, 8);
    h.Build();
    // A: (0, 2), (0, 4), (1, 5). B, queued by hand: the pair (2, 6), (3, 7),
    // whose bonus reaches A's (1, 5); a pair, so that no cascade queues it
    // again with the refilled item.
    Lay(h, {{0, 2, 0}, {0, 4, 0}, {1, 5, 0}, {2, 6, 1}, {3, 7, 1}});
    h.GiveBonus(2, 6, 0);
    h.board->QueueGroup(h.At(1, 5));
    h.board->QueueGroup(h.At(2, 6));
    ASSERT_EQ(2u, h.board->GetQueuedGroupCount());
    const std::vector<Cell*>& shared = h.board->GetQueuedGroup(1).cells;
    ASSERT_NE(shared.end(), std::find(shared.begin(), shared.end(), h.At(1, 5)));

    static_cast<BoardItemNull*>(h.ItemAt(3, 7))->SetResting(false);
    h.board->Resolve();
    EXPECT_EQ(3u, h.board->GetDestroyedCount()) << "only A was ready";
    BoardItem* fresh = h.ItemAt(1, 5);
    ASSERT_NE(nullptr, fresh);
    ASSERT_EQ(1u, h.board->GetQueuedGroupCount());

    static_cast<BoardItemNull*>(h.ItemAt(3, 7))->SetResting(true);
    h.Frame();
    EXPECT_EQ(5u, h.board->GetDestroyedCount()) << "B's pair and the three other neighbours of its bonus";
    EXPECT_EQ(fresh, h.ItemAt(1, 5));
    EXPECT_TRUE(fresh->IsAlive()) << "the refilled item survives B's destruction";
}

TEST(Board, MovesAreListedUpToTheLimitAndABoardWithoutOneIsDealtAgain)
{
    {
        SCOPED_TRACE("limit");
        BoardHarness h(9, 12);
        h.Build();
        Lay(h, {});
        // Filler rows give every cell a move, so the list stops after the
        // cell that reaches ten entries.
        const std::uint32_t moves = h.board->GetMoveCount();
        EXPECT_GE(moves, 5u);
        const Cell* last = h.board->GetMoveFirst(moves - 1);
        std::uint32_t before = 0;
        for (std::uint32_t i = 0; i < moves; ++i)
            before += h.board->GetMoveFirst(i) != last ? 1 : 0;
        EXPECT_LT(before, 5u);
        h.board->ShowHint(0);
        EXPECT_EQ(1u, static_cast<BoardItemNull*>(h.board->GetItem(h.board->GetMoveFirst(0)))->GetJumpCount());
        h.board->ShowHint(moves);
    }
    {
        SCOPED_TRACE("no move");
        BoardHarness h(1, 5);
        h.Build();
        ASSERT_EQ(0u, h.board->GetMoveCount());
        std::vector<BoardItem*> before;
        for (std::uint32_t i = 0; i < h.board->GetCellCount(); ++i)
            before.push_back(h.board->GetItem(h.board->GetCellAt(i)));
        h.Frame();
        for (std::uint32_t i = 0; i < h.board->GetCellCount(); ++i) {
            EXPECT_FALSE(before[i]->IsActive()) << "old items flew away and were recycled";
            EXPECT_NE(nullptr, h.board->GetItem(h.board->GetCellAt(i)));
            EXPECT_TRUE(h.board->GetItem(h.board->GetCellAt(i))->IsActive());
        }
    }
}

TEST(Board, QuietFramesAllocateNothing)
{
    BoardHarness h(9, 12);
    h.Build();
    Lay(h, {});
    h.Click(2, 2);
    h.Frame(h.At(4, 4));
    TestSupport::ScopedAllocationCount allocations;
    for (int frame = 0; frame < 5; ++frame) {
        h.board->Step(h.At(4, 4), false, true);
        h.board->Step(nullptr, false, false);
    }
    EXPECT_EQ(0u, allocations.Count());
}

} // namespace

// The static scenery of the level in play: a border piece along every outer
// edge of the board, the level's scenery models with their animations, the
// ambient light and one point light over the board. Built once with the
// level and left alone afterwards.
#pragma once

#include <cstdint>
#include <vector>

namespace OrrelayEngine {
class Engine;
class Light;
class LightManager;
class MessageManager;
class Model;
class ModelManager;
} // namespace OrrelayEngine

namespace Tansywell {

class Board;
class GameData;
class GameLogicData;
struct GameLevelRecord;

class Environment
{
public:
    // The point light stands this high over the board's centre.
    static constexpr float kLightHeight = 200.0f;
    static constexpr float kAmbient = 0.21f;
    static constexpr float kLightAttenuation = 1.1f;
    // Sorted scenery is drawn from this depth on, each model a little nearer.
    static constexpr float kSortDepth = 100000.0f;
    static constexpr float kSortDepthStep = 0.01f;

    Environment(OrrelayEngine::Engine* engine, const GameLevelRecord* level, const GameData* gameData,
                const GameLogicData* data, const Board* board);
    virtual ~Environment();

    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // Once per frame; the scenery needs nothing.
    void Update();

    const std::vector<OrrelayEngine::Model*>& GetModels() const { return models_; }
    const std::vector<OrrelayEngine::Light*>& GetLights() const { return lights_; }
    // Border pieces come first in the model list.
    std::uint32_t GetBorderCount() const { return borderCount_; }

private:
    void BuildBorders();
    void BuildScenery();
    void BuildLights();

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    [[maybe_unused]] OrrelayEngine::MessageManager* log_;
    OrrelayEngine::LightManager* lightManager_;
    OrrelayEngine::ModelManager* modelManager_;
    [[maybe_unused]] const GameLevelRecord* level_;
    const GameData* gameData_;
    const GameLogicData* data_;
    const Board* board_;
    std::vector<OrrelayEngine::Model*> models_;
    std::vector<OrrelayEngine::Light*> lights_;
    std::uint32_t borderCount_ = 0;
};

} // namespace Tansywell

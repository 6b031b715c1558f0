// The game's shared assets: every model template, texture and particle system
// that the menus, the head-up display and the board's pieces copy or show, the
// menu background's models listed in "background.ini", and the two GUI windows
// of the play screen. Loaded once at start on the keeper's thread (the
// independent templates and textures spread over helper threads); read-only
// afterwards. A model file that cannot be read gives a box in its place; a
// damaged background list is fatal (it is the game's own data).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/DataKeeper.h"
#include "game/gui/GUIBackgroundWindow.h"

namespace OrrelayEngine {
class Camera;
class GUIManager;
class GUIWindow;
class ParticleSystem;
class ShaderUser;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData : public GameFramework::DataKeeper
{
public:
    static constexpr std::uint32_t kBonusKindCount = 3;
    static constexpr std::uint32_t kItemKindCount = 5;
    static constexpr std::uint32_t kBorderCount = 6;

    using Model = OrrelayEngine::Model;

    // A button look: the model drawn, its hit area and its text area.
    struct ButtonLook
    {
        Model* look = nullptr;
        Model* selectionArea = nullptr;
        Model* textArea = nullptr;
    };

    // A scroll bar's models: the bar, its knob, where the knob's travel
    // starts and ends, and where its two arrow buttons sit.
    struct ScrollModels
    {
        Model* scroll = nullptr;
        Model* toddler = nullptr;
        Model* toddlerMin = nullptr;
        Model* toddlerMax = nullptr;
        Model* buttonIncrease = nullptr;
        Model* buttonDecrease = nullptr;
    };

    GameData(OrrelayEngine::Engine* engine, const GameFramework::LanguageInfo& language);
    ~GameData() override;

    void LoadResources() override;

    // Menu background models loaded with the game (not at start-up), each
    // with its entry's position in background.ini and its value there.
    std::vector<Model*> backgroundModels;
    std::vector<std::uint32_t> backgroundPositions;
    std::vector<std::int32_t> backgroundValues;

    // Tutorial character: body, the four speech bubble sizes, face atlas.
    Model* character = nullptr;
    Model* characterText[4] = {};
    OrrelayEngine::ShaderUser* characterTexture = nullptr;

    // Cells.
    Model* cellEmpty = nullptr;
    Model* cellSingle = nullptr;
    Model* cellDouble = nullptr;
    Model* cellSelect = nullptr;
    Model* cellBlock = nullptr;
    Model* cellTip = nullptr;
    OrrelayEngine::ShaderUser* cell1 = nullptr;
    OrrelayEngine::ShaderUser* cell1Closed = nullptr;
    OrrelayEngine::ShaderUser* cell1Blocked = nullptr;
    OrrelayEngine::ShaderUser* cell2 = nullptr;
    OrrelayEngine::ShaderUser* cell2Closed = nullptr;
    OrrelayEngine::ShaderUser* cell2Blocked = nullptr;

    // Board border pieces, one per hexagon edge direction.
    std::vector<Model*> borders;

    // Items (butterflies) and their shadows, textures by item kind.
    Model* butterfly = nullptr;
    std::vector<OrrelayEngine::ShaderUser*> butterflyTextures;
    Model* shadow = nullptr;
    std::vector<OrrelayEngine::ShaderUser*> shadowTextures;

    // Bonuses, by bonus kind: item destruction, combination destruction,
    // colour destruction.
    Model* bonuses[kBonusKindCount] = {};

    // Particle systems drawn with the scene camera.
    OrrelayEngine::ParticleSystem* butterflyAppear = nullptr;
    OrrelayEngine::ParticleSystem* butterflyDisappear = nullptr;
    OrrelayEngine::ParticleSystem* butterflySwap = nullptr;
    // The particle effect a cell plays when it loses a layer.
    OrrelayEngine::ParticleSystem* manaCell = nullptr;

    // The play screen's GUI windows: floating texts go under the root, the
    // character under the child. Owned.
    OrrelayEngine::GUIWindow* playRootWindow = nullptr;
    OrrelayEngine::GUIWindow* playChildWindow = nullptr;

    // Menu and head-up display templates, by folder under ui\menus\models.
    Model* backgroundTextArea = nullptr;
    struct
    {
        Model* window = nullptr;
        Model* windowArea = nullptr;
        Model* edit = nullptr;
        Model* button[2] = {};
    } smallWindow;
    struct
    {
        Model* window = nullptr;
        Model* windowArea = nullptr;
        Model* button[3] = {};
    } bigWindow;
    struct
    {
        Model* window = nullptr;
        Model* windowArea = nullptr;
        Model* button[7] = {};
    } mainMenu;
    struct
    {
        Model* window = nullptr;
        Model* windowArea = nullptr;
        Model* button[2] = {};
    } startGame;
    struct
    {
        Model* fullscreenCheckBox = nullptr;
        Model* resolutionButtonLeft = nullptr;
        Model* resolutionButtonRight = nullptr;
        Model* resolutionText = nullptr;
        Model* resolutionTextArea = nullptr;
        Model* sliderMusic = nullptr;
        Model* sliderSound = nullptr;
    } options;
    struct
    {
        Model* button[4] = {};
        Model* scroll = nullptr;
        Model* text = nullptr;
    } profiles;
    struct
    {
        Model* relaxCheckBox = nullptr;
        Model* fullscreenCheckBox = nullptr;
        Model* sliderMusic = nullptr;
        Model* sliderSound = nullptr;
    } gameLogicMenu;
    struct
    {
        Model* buttonArrowUp = nullptr;
        Model* buttonArrowDown = nullptr;
        Model* buttonArrowLeft = nullptr;
        Model* buttonArrowRight = nullptr;
        ButtonLook buttonMainMenu;
        ButtonLook buttonBig;
        ButtonLook buttonSmall;
        Model* checkBox = nullptr;
        ScrollModels scrollH;
        ScrollModels scrollV;
        ButtonLook buttonGameLogicMode;
        ButtonLook buttonGameLogicMinimize;
        ButtonLook buttonGameLogicMaximize;
        ButtonLook buttonGameLogicClose;
        Model* upgrade = nullptr;
    } controls;
    // Stage map element models (ui\menus\map\models).
    struct
    {
        Model* start = nullptr;
        Model* finish = nullptr;
        Model* checkPoint = nullptr;
        Model* path = nullptr;
        Model* pathCheckPoint = nullptr;
    } map;
    struct
    {
        Model* background = nullptr;
        Model* menuButton = nullptr;
        Model* levelNameTextArea = nullptr;
        Model* levelName = nullptr;
        Model* levelNameTitleTextArea = nullptr;
        Model* scoreTextArea = nullptr;
        Model* score = nullptr;
        Model* scoreTitleTextArea = nullptr;
        Model* modeButton = nullptr;
        Model* minimizeButton = nullptr;
        Model* maximizeWindowButton = nullptr;
        Model* maximizeFullscreenButton = nullptr;
        Model* closeButton = nullptr;
        Model* manaBackground = nullptr;
        Model* mana = nullptr;
        Model* manaTextArea = nullptr;
        Model* energyBackground = nullptr;
        Model* energy = nullptr;
        Model* energyTextArea = nullptr;
    } gameLogic;
    struct
    {
        Model* frame = nullptr;
        Model* upgrade = nullptr;
        Model* manaBackground = nullptr;
        Model* mana = nullptr;
        Model* manaTextArea = nullptr;
    } levelComplete;

    // Particle systems drawn with the GUI camera.
    OrrelayEngine::ParticleSystem* cursorTrain = nullptr;
    OrrelayEngine::ParticleSystem* cursorClick = nullptr;
    OrrelayEngine::ParticleSystem* upgrade = nullptr;
    OrrelayEngine::ParticleSystem* manaToProgress = nullptr;
    OrrelayEngine::ParticleSystem* manaProgress = nullptr;

protected:
    OrrelayEngine::GUIManager* guiManager_;

private:
    // Each loads, files in the keeper and returns what it made.
    Model* LoadTemplate(const std::string& fileName, std::uint32_t flags);
    OrrelayEngine::ShaderUser* CreateTexture(const std::string& colourFile, const std::string& opacityFile);
    OrrelayEngine::ParticleSystem* LoadParticles(const std::string& name, OrrelayEngine::Camera* camera);

    // The steps of the load.
    std::vector<GUIBackgroundWindow::Entry> ReadBackgroundList();
    void LoadBackgroundModels(const std::vector<GUIBackgroundWindow::Entry>& entries);
    void LoadCharacter();
    void LoadCharacterFaces();
    void LoadCells();
    void LoadBorders();
    void LoadItems();
    void LoadShadows();
    void LoadBonuses();
    void LoadSceneParticles();
    void CreatePlayWindows();
    Model* LoadMenuTemplate(const std::string& folder, const std::string& name, std::uint32_t flags);
    void LoadDialogModels();
    void LoadMenuModels();
    void LoadSettingModels();
    void LoadControlModels();
    void LoadPlayModels();
    void LoadHudModels();
    void LoadGuiParticles();
};

} // namespace Tansywell

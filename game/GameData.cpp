#include "game/GameData.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/gui/GUIBackgroundWindow.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

const char kBackgroundModels[] = "ui\\menus\\background\\models\\";

const char kCharacterFolder[] = "ui\\menus\\character\\";
const char kCharacterColour[] = "ui\\menus\\textures\\character_color.jpg";
const char kCharacterOpacity[] = "ui\\menus\\textures\\character_alpha.jpg";
// The character's face atlas: 16 x 16 frames.
constexpr std::uint32_t kCharacterAtlasSide = 16;

const char kCellFolder[] = "game_objects\\cell\\";
const char kCellTextureFolder[] = "game_objects\\cell\\textures\\";
const char kBorderFolder[] = "game_objects\\board_border\\border_";
const char kButterfly[] = "game_objects\\butterfly\\butterfly.mlf";
const char kButterflyTextures[] = "game_objects\\butterfly\\textures\\butterfly_";
const char kShadow[] = "game_objects\\shadow\\shadow.mlf";
const char kShadowColour[] = "game_objects\\shadow\\textures\\butterfly_shadow.jpg";
const char kShadowOpacity[] = "game_objects\\shadow\\textures\\butterfly_shadow_";
const char* const kBonusFiles[GameData::kBonusKindCount] = {"game_objects\\bonuses\\item_destruction.mlf",
                                                            "game_objects\\bonuses\\combination_destruction.mlf",
                                                            "game_objects\\bonuses\\color_destruction.mlf"};
const char kParticles[] = "ui\\menus\\particles\\";
const char kMenuModels[] = "ui\\menus\\models\\";
const char kMapModels[] = "ui\\menus\\map\\models\\";

// Templates that are tinted and faded take a colour per vertex.
constexpr std::uint32_t kTinted = Model::kFlagVertexColor;
constexpr std::uint32_t kPlain = 0;

// Root: shown, in the first layer of parentless windows; child: shown.
constexpr std::uint32_t kPlayRootFlags = GUIWindow::kFlagShown | GUIWindow::kFlagLayerLow;
constexpr std::uint32_t kPlayChildFlags = GUIWindow::kFlagShown;
constexpr std::int32_t kPlayChildDepthOrder = 100;

} // namespace

GameData::GameData(Engine* engine, const GameFramework::LanguageInfo& language)
    : DataKeeper(engine, language, true), guiManager_(engine->GetGUIManager())
{}

GameData::~GameData()
{
    StopLoading();
    // The root first: its child leaves it, then goes itself.
    guiManager_->DeleteWindow(playRootWindow);
    guiManager_->DeleteWindow(playChildWindow);
    playRootWindow = nullptr;
    playChildWindow = nullptr;
}

void GameData::LoadResources()
{
    // A damaged list ends the load before anything is loaded.
    const std::vector<GUIBackgroundWindow::Entry> background = ReadBackgroundList();
    // The templates and textures are independent files: decoded side by side,
    // the character's large atlas first. Each step fills its own members.
    RunInParallel({[this] { LoadCharacterFaces(); }, [this] { LoadControlModels(); }, [this] { LoadDialogModels(); },
                   [this] { LoadMenuModels(); }, [this] { LoadHudModels(); },
                   [this, &background] { LoadBackgroundModels(background); }, [this] { LoadSettingModels(); },
                   [this] { LoadPlayModels(); }, [this] { LoadCharacter(); }, [this] { LoadItems(); },
                   [this] { LoadShadows(); }, [this] { LoadCells(); }, [this] { LoadBorders(); },
                   [this] { LoadBonuses(); }});
    // These register with the particle and GUI managers: on this thread only.
    LoadSceneParticles();
    CreatePlayWindows();
    LoadGuiParticles();
}

Model* GameData::LoadTemplate(const std::string& fileName, std::uint32_t flags)
{
    Model* loaded = modelManager_->LoadModelTemplate(fileName, nullptr, flags);
    AddUnnamedModel(loaded);
    return loaded;
}

ShaderUser* GameData::CreateTexture(const std::string& colourFile, const std::string& opacityFile)
{
    ShaderDescriptor descriptor;
    descriptor.ConstructForTexture(true, colourFile, opacityFile, true);
    ShaderUser* user = shaderManager_->CreateShaderUser(descriptor);
    AddUnnamedShaderUser(user);
    return user;
}

ParticleSystem* GameData::LoadParticles(const std::string& name, Camera* camera)
{
    ParticleSystem* system = particleSystemManager_->LoadParticleSystem(kParticles + name + ".psf", camera);
    AddUnnamedParticleSystem(system);
    return system;
}

std::vector<GUIBackgroundWindow::Entry> GameData::ReadBackgroundList()
{
    // The background window reads the same list; one reader keeps one rule.
    try {
        return GUIBackgroundWindow::ReadSettings(fileManager_);
    } catch (const FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
    return {};
}

void GameData::LoadBackgroundModels(const std::vector<GUIBackgroundWindow::Entry>& entries)
{
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const GUIBackgroundWindow::Entry& entry = entries[position];
        // The background window loads the start-up entries itself.
        if (entry.startUp)
            continue;
        backgroundModels.push_back(LoadTemplate(kBackgroundModels + entry.name + ".mlf", kTinted));
        backgroundPositions.push_back(static_cast<std::uint32_t>(position));
        backgroundValues.push_back(entry.placeThreshold);
    }
}

void GameData::LoadCharacter()
{
    character = LoadTemplate(std::string(kCharacterFolder) + "character.mlf", kTinted);
    for (std::uint32_t size = 0; size < 4; ++size)
        characterText[size] =
            LoadTemplate(kCharacterFolder + std::string("text_size") + std::to_string(size + 1) + ".mlf", kTinted);
}

void GameData::LoadCharacterFaces()
{
    // Mip-mapping is off for this descriptor: the game object switched it off
    // before the load began.
    characterTexture = shaderManager_->CreateShaderUser(MakeTextureShaderDescriptor(
        kCharacterAtlasSide, kCharacterAtlasSide, kCharacterColour, kCharacterOpacity, true));
    AddUnnamedShaderUser(characterTexture);
}

void GameData::LoadCells()
{
    const auto cell = [this](const char* name) {
        return LoadTemplate(kCellFolder + std::string(name) + ".mlf", kTinted);
    };
    cellEmpty = cell("cell_empty");
    cellSingle = cell("cell_single");
    cellDouble = cell("cell_double");
    cellSelect = cell("cell_select");
    cellBlock = cell("cell_block");
    cellTip = cell("cell_tip");
    const auto texture = [this](const char* name) {
        return CreateTexture(kCellTextureFolder + std::string(name) + ".jpg", "");
    };
    cell1 = texture("cell_1");
    cell1Closed = texture("cell_1_closed");
    cell1Blocked = texture("cell_1_blocked");
    cell2 = texture("cell_2");
    cell2Closed = texture("cell_2_closed");
    cell2Blocked = texture("cell_2_blocked");
}

void GameData::LoadBorders()
{
    for (std::uint32_t side = 0; side < kBorderCount; ++side)
        borders.push_back(LoadTemplate(kBorderFolder + std::to_string(side) + ".mlf", kPlain));
}

void GameData::LoadItems()
{
    butterfly = LoadTemplate(kButterfly, kTinted);
    for (std::uint32_t kind = 0; kind < kItemKindCount; ++kind) {
        const std::string stem = kButterflyTextures + std::to_string(kind);
        butterflyTextures.push_back(CreateTexture(stem + ".jpg", stem + "_alpha.jpg"));
    }
}

void GameData::LoadShadows()
{
    shadow = LoadTemplate(kShadow, kTinted);
    // One colour for every kind; the outline lies in the opacity.
    for (std::uint32_t kind = 0; kind < kItemKindCount; ++kind)
        shadowTextures.push_back(CreateTexture(kShadowColour, kShadowOpacity + std::to_string(kind) + "_alpha.jpg"));
}

void GameData::LoadBonuses()
{
    for (std::uint32_t kind = 0; kind < kBonusKindCount; ++kind)
        bonuses[kind] = LoadTemplate(kBonusFiles[kind], kTinted);
}

void GameData::LoadSceneParticles()
{
    // No camera: drawn with whichever camera the scene has current.
    butterflyAppear = LoadParticles("butterfly_appear", nullptr);
    butterflyDisappear = LoadParticles("butterfly_disappear", nullptr);
    butterflySwap = LoadParticles("butterfly_swap", nullptr);
    manaCell = LoadParticles("mana_cell", nullptr);
}

void GameData::CreatePlayWindows()
{
    playRootWindow = guiManager_->CreateWindowFromModel(kPlayRootFlags, Vector2(), Vector2(), nullptr, nullptr);
    playChildWindow =
        guiManager_->CreateWindowFromModel(kPlayChildFlags, Vector2(), Vector2(), nullptr, playRootWindow);
    playChildWindow->SetDepthOrder(kPlayChildDepthOrder);
}

Model* GameData::LoadMenuTemplate(const std::string& folder, const std::string& name, std::uint32_t flags)
{
    return LoadTemplate(kMenuModels + folder + name + ".mlf", flags);
}

void GameData::LoadDialogModels()
{
    std::string folder;
    const auto menu = [this, &folder](const std::string& name, std::uint32_t flags) {
        return LoadMenuTemplate(folder, name, flags);
    };
    folder = "small_window\\";
    smallWindow.window = menu("window", kTinted);
    smallWindow.windowArea = menu("window_area", kPlain);
    smallWindow.edit = menu("edit", kTinted);
    for (std::uint32_t i = 0; i < 2; ++i)
        smallWindow.button[i] = menu("button_" + std::to_string(i), kPlain);

    folder = "big_window\\";
    bigWindow.window = menu("window", kTinted);
    bigWindow.windowArea = menu("window_area", kPlain);
    for (std::uint32_t i = 0; i < 3; ++i)
        bigWindow.button[i] = menu("button_" + std::to_string(i), kPlain);
}

void GameData::LoadMenuModels()
{
    std::string folder;
    const auto menu = [this, &folder](const std::string& name, std::uint32_t flags) {
        return LoadMenuTemplate(folder, name, flags);
    };
    folder = "background\\";
    backgroundTextArea = menu("text_area", kPlain);

    folder = "main_menu\\";
    mainMenu.window = menu("window", kTinted);
    mainMenu.windowArea = menu("window_area", kPlain);
    for (std::uint32_t i = 0; i < 7; ++i)
        mainMenu.button[i] = menu("button_" + std::to_string(i), kPlain);

    folder = "start_game\\";
    startGame.window = menu("window", kTinted);
    startGame.windowArea = menu("window_area", kPlain);
    for (std::uint32_t i = 0; i < 2; ++i)
        startGame.button[i] = menu("button_" + std::to_string(i), kPlain);
}

void GameData::LoadSettingModels()
{
    std::string folder;
    const auto menu = [this, &folder](const std::string& name, std::uint32_t flags) {
        return LoadMenuTemplate(folder, name, flags);
    };
    folder = "options\\";
    options.fullscreenCheckBox = menu("fullscreen_check_box", kPlain);
    options.resolutionButtonLeft = menu("resolution_button_left", kPlain);
    options.resolutionButtonRight = menu("resolution_button_right", kPlain);
    options.resolutionText = menu("resolution_text", kTinted);
    options.resolutionTextArea = menu("resolution_text_area", kPlain);
    options.sliderMusic = menu("slider_music", kPlain);
    options.sliderSound = menu("slider_sound", kPlain);

    folder = "profiles\\";
    for (std::uint32_t i = 0; i < 4; ++i)
        profiles.button[i] = menu("button_" + std::to_string(i), kPlain);
    profiles.scroll = menu("scroll", kPlain);
    profiles.text = menu("text", kTinted);

    folder = "game_logic_menu\\";
    gameLogicMenu.relaxCheckBox = menu("relax_check_box", kPlain);
    gameLogicMenu.fullscreenCheckBox = menu("fullscreen_check_box", kPlain);
    gameLogicMenu.sliderMusic = menu("slider_music", kPlain);
    gameLogicMenu.sliderSound = menu("slider_sound", kPlain);
}

void GameData::LoadControlModels()
{
    const auto control = [this](const std::string& name, std::uint32_t flags) {
        return LoadTemplate(kMenuModels + std::string("controls\\") + name + ".mlf", flags);
    };
    controls.buttonArrowUp = control("button_arrow_up", kTinted);
    controls.buttonArrowDown = control("button_arrow_down", kTinted);
    controls.buttonArrowLeft = control("button_arrow_left", kTinted);
    controls.buttonArrowRight = control("button_arrow_right", kTinted);

    const auto family = [&control](const std::string& name, std::uint32_t lookFlags, ButtonLook& look) {
        look.look = control("button_" + name, lookFlags);
        look.selectionArea = control("button_" + name + "_selection_area", kPlain);
        look.textArea = control("button_" + name + "_text_area", kPlain);
    };
    family("main_menu", kPlain, controls.buttonMainMenu);
    family("big", kTinted, controls.buttonBig);
    family("small", kTinted, controls.buttonSmall);
    family("game_logic_mode", kTinted, controls.buttonGameLogicMode);
    family("game_logic_minimize", kTinted, controls.buttonGameLogicMinimize);
    family("game_logic_maximize", kTinted, controls.buttonGameLogicMaximize);
    family("game_logic_close", kTinted, controls.buttonGameLogicClose);
    controls.upgrade = control("upgrade", kTinted);
    controls.checkBox = control("check_box", kTinted);

    const auto scroll = [&control](const std::string& name, ScrollModels& models) {
        models.scroll = control(name, kTinted);
        models.toddler = control(name + "_toddler", kTinted);
        models.toddlerMin = control(name + "_toddler_min", kPlain);
        models.toddlerMax = control(name + "_toddler_max", kPlain);
        models.buttonIncrease = control(name + "_button_increase", kPlain);
        models.buttonDecrease = control(name + "_button_decrease", kPlain);
    };
    scroll("scroll_h", controls.scrollH);
    scroll("scroll_v", controls.scrollV);
}

void GameData::LoadPlayModels()
{
    const auto mapModel = [this](const char* name) {
        return LoadTemplate(kMapModels + std::string(name) + ".mlf", kTinted);
    };
    map.start = mapModel("start");
    map.finish = mapModel("finish");
    map.checkPoint = mapModel("check_point");
    map.path = mapModel("path");
    map.pathCheckPoint = mapModel("path_check_point");

    const auto complete = [this](const char* name, std::uint32_t flags) {
        return LoadMenuTemplate("level_complete\\", name, flags);
    };
    levelComplete.frame = complete("frame", kTinted);
    levelComplete.upgrade = complete("upgrade", kPlain);
    levelComplete.manaBackground = complete("mana_background", kTinted);
    levelComplete.mana = complete("mana", kTinted);
    levelComplete.manaTextArea = complete("mana_text_area", kPlain);
}

void GameData::LoadHudModels()
{
    const auto menu = [this](const char* name, std::uint32_t flags) {
        return LoadMenuTemplate("game_logic\\", name, flags);
    };
    gameLogic.background = menu("background", kPlain);
    gameLogic.menuButton = menu("menu_button", kPlain);
    gameLogic.levelNameTextArea = menu("level_name_text_area", kPlain);
    gameLogic.levelName = menu("level_name", kPlain);
    gameLogic.levelNameTitleTextArea = menu("level_name_title_text_area", kPlain);
    gameLogic.scoreTextArea = menu("score_text_area", kPlain);
    gameLogic.score = menu("score", kPlain);
    gameLogic.scoreTitleTextArea = menu("score_title_text_area", kPlain);
    gameLogic.modeButton = menu("mode_button", kPlain);
    gameLogic.minimizeButton = menu("minimize_button", kPlain);
    gameLogic.maximizeWindowButton = menu("maximize_window_button", kPlain);
    gameLogic.maximizeFullscreenButton = menu("maximize_fullscreen_button", kPlain);
    gameLogic.closeButton = menu("close_button", kPlain);
    gameLogic.manaBackground = menu("mana_background", kPlain);
    gameLogic.mana = menu("mana", kTinted);
    gameLogic.manaTextArea = menu("mana_text_area", kPlain);
    gameLogic.energyBackground = menu("energy_background", kPlain);
    gameLogic.energy = menu("energy", kTinted);
    gameLogic.energyTextArea = menu("energy_text_area", kPlain);
}

void GameData::LoadGuiParticles()
{
    Camera* camera = guiManager_->GetCamera();
    upgrade = LoadParticles("upgrade", camera);
    cursorTrain = LoadParticles("cursor_train", camera);
    cursorClick = LoadParticles("cursor_click", camera);
    manaToProgress = LoadParticles("mana_to_progress", camera);
    manaProgress = LoadParticles("mana_progress", camera);
}

} // namespace Tansywell

// The menu frames and controls as the builder leaves them under
// <build>/dataset/: every menu picture at a power-of-two size about as large
// as it is shown at 1024 x 768, frames that open over enough key frames from shut, text
// areas from the screen's left edge and bottom, state pictures for every
// button and check-box state, and, from the models alone, each screen's
// clickable rectangles inside the screen and its frame without overlapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/TextureManager.h"
#include "engine/scene/ModelFile.h"

using OrrelayEngine::ModelFile;

namespace {

const std::string kModels = "data\\ui\\menus\\models\\";

std::vector<std::uint8_t> ReadBuilt(std::string packPath)
{
    std::replace(packPath.begin(), packPath.end(), '\\', '/');
    std::ifstream in(QUILLORY_BUILD_DIR "/dataset/" + packPath, std::ios::binary);
    EXPECT_TRUE(in.good()) << packPath;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

OrrelayEngine::FileBinary OpenBuilt(const std::string& packPath, const std::vector<std::uint8_t>& bytes)
{
    return OrrelayEngine::FileBinary(nullptr, packPath, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                     bytes.data());
}

ModelFile ReadModel(const std::string& name)
{
    const std::string path = kModels + name + ".mlf";
    const std::vector<std::uint8_t> bytes = ReadBuilt(path);
    OrrelayEngine::FileBinary file = OpenBuilt(path, bytes);
    ModelFile model;
    model.Read(file, path, 0);
    return model;
}

struct Rect
{
    float left;
    float bottom;
    float right;
    float top;
};

Rect BoxOf(const ModelFile& model, std::size_t frame)
{
    const ModelFile::Box& box = model.boxes.at(frame);
    return Rect{box.min.x, box.min.y, box.max.x, box.max.y};
}

Rect LastBox(const std::string& name)
{
    const ModelFile model = ReadModel(name);
    return BoxOf(model, model.boxes.size() - 1);
}

float CentreX(const Rect& r)
{
    return (r.left + r.right) * 0.5f;
}
float CentreY(const Rect& r)
{
    return (r.bottom + r.top) * 0.5f;
}

// The area model's box carried from where its look is authored to the layout
// model's place, as the screens' controls carry it.
Rect Placed(const std::string& layout, const std::string& look, const std::string& area)
{
    const Rect place = LastBox(layout);
    const Rect from = LastBox(look);
    const Rect a = LastBox(area);
    const float dx = CentreX(place) - CentreX(from);
    const float dy = CentreY(place) - CentreY(from);
    return Rect{a.left + dx, a.bottom + dy, a.right + dx, a.top + dy};
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.bottom >= outer.bottom &&
           inner.top <= outer.top;
}

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

const char* const kFrames[] = {"main_menu", "big_window", "small_window", "start_game"};

std::uint32_t StatePictures(const std::string& look)
{
    const std::string path = kModels + "controls\\" + look + ".srf";
    const std::vector<std::uint8_t> bytes = ReadBuilt(path);
    OrrelayEngine::FileBinary file = OpenBuilt(path, bytes);
    OrrelayEngine::ShaderDescriptor shader;
    shader.ReadFromFile(file, path);
    return shader.GetStageCount() > 0 ? shader.GetStage(0).frameCount : 0;
}

// Width and height.
std::pair<std::uint32_t, std::uint32_t> PictureSize(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadBuilt(path);
    OrrelayEngine::FileBinary file = OpenBuilt(path, bytes);
    OrrelayEngine::Image image;
    OrrelayEngine::JpegCodec::Read(nullptr, file, path, image);
    return {image.GetWidth(), image.GetHeight()};
}

// Texels per GUI unit across and up a frame's triangles (a grid stage's cell
// counting as the picture), the largest of any triangle; 0 when all are flat.
std::pair<float, float> TexelsPerUnit(const ModelFile& model, std::uint32_t frame, float width, float height)
{
    std::pair<float, float> most{0.0f, 0.0f};
    const ModelFile::Vertex* v = &model.vertices[static_cast<std::size_t>(frame) * model.vertexCount];
    for (std::size_t i = 0; i + 2 < model.indices.size(); i += 3) {
        const ModelFile::Vertex& a = v[model.indices[i]];
        const ModelFile::Vertex& b = v[model.indices[i + 1]];
        const ModelFile::Vertex& c = v[model.indices[i + 2]];
        const float e1x = b.position.x - a.position.x, e1y = b.position.y - a.position.y;
        const float e2x = c.position.x - a.position.x, e2y = c.position.y - a.position.y;
        const float det = e1x * e2y - e1y * e2x;
        if (std::fabs(det) < 1e-3f)
            continue;
        const float dudx = ((b.u - a.u) * e2y - (c.u - a.u) * e1y) / det;
        const float dvdy = ((c.v - a.v) * e1x - (b.v - a.v) * e2x) / det;
        most.first = std::max(most.first, std::fabs(dudx) * width);
        most.second = std::max(most.second, std::fabs(dvdy) * height);
    }
    return most;
}

// The buttons and arrows a screen's player can click, placed from the models.
struct Screen
{
    const char* frame;
    std::vector<std::pair<std::string, Rect>> clickable;
};

Rect Button(const std::string& layout, const std::string& family)
{
    const std::string look = "controls\\button_" + family;
    return Placed(layout, look, look + "_selection_area");
}

Rect Look(const std::string& layout, const std::string& look)
{
    return Placed(layout, look, look);
}

// A scroll bar's two arrows, carried like its track.
void AddScroll(Screen& screen, const std::string& layout, const std::string& bar)
{
    const std::string track = "controls\\" + bar;
    screen.clickable.push_back({layout + " decrease", Placed(layout, track, track + "_button_decrease")});
    screen.clickable.push_back({layout + " increase", Placed(layout, track, track + "_button_increase")});
    screen.clickable.push_back({layout + " track", Look(layout, track)});
}

std::vector<Screen> Screens()
{
    std::vector<Screen> screens;
    Screen mainMenu{"main_menu", {}};
    for (int i = 0; i < 7; ++i) {
        const std::string layout = "main_menu\\button_" + std::to_string(i);
        mainMenu.clickable.push_back({layout, Button(layout, "main_menu")});
    }
    screens.push_back(mainMenu);

    Screen dialog{"small_window", {{"edit", LastBox("small_window\\edit")}}};
    for (int i = 0; i < 2; ++i) {
        const std::string layout = "small_window\\button_" + std::to_string(i);
        dialog.clickable.push_back({layout, Button(layout, "big")});
    }
    screens.push_back(dialog);

    Screen options{"big_window", {}};
    for (int i = 0; i < 3; ++i) {
        const std::string layout = "big_window\\button_" + std::to_string(i);
        options.clickable.push_back({layout, Button(layout, "big")});
    }
    AddScroll(options, "options\\slider_music", "scroll_h");
    AddScroll(options, "options\\slider_sound", "scroll_h");
    options.clickable.push_back({"full screen", Look("options\\fullscreen_check_box", "controls\\check_box")});
    options.clickable.push_back(
        {"previous mode", Look("options\\resolution_button_left", "controls\\button_arrow_left")});
    options.clickable.push_back(
        {"next mode", Look("options\\resolution_button_right", "controls\\button_arrow_right")});
    screens.push_back(options);

    Screen profiles{"big_window", {}};
    for (int i = 0; i < 4; ++i) {
        const std::string layout = "profiles\\button_" + std::to_string(i);
        profiles.clickable.push_back({layout, Button(layout, "small")});
    }
    AddScroll(profiles, "profiles\\scroll", "scroll_v");
    // Seven rows of 190 x 20, centred across the list, the first 153 above its bottom, 22 apart.
    const Rect list = LastBox("profiles\\text");
    for (int i = 0; i < 7; ++i) {
        const float left = list.left + (list.right - list.left - 190.0f) / 2.0f;
        const float bottom = list.bottom + 153.0f - 22.0f * static_cast<float>(i);
        const Rect row{left, bottom, left + 190.0f, bottom + 20.0f};
        EXPECT_TRUE(Inside(row, list)) << "row " << i;
        profiles.clickable.push_back({"row " + std::to_string(i), row});
    }
    screens.push_back(profiles);

    Screen start{"start_game", {}};
    for (int i = 0; i < 2; ++i) {
        const std::string layout = "start_game\\button_" + std::to_string(i);
        start.clickable.push_back({layout, Button(layout, "small")});
    }
    screens.push_back(start);
    return screens;
}

} // namespace

TEST(MenuFrameArt, FramesOpenFromShutOverTheirKeyFrames)
{
    for (const char* name : kFrames) {
        SCOPED_TRACE(name);
        const ModelFile frame = ReadModel(std::string(name) + "\\window");
        ASSERT_GE(frame.frameCount, 16u);
        const Rect shut = BoxOf(frame, 0);
        const Rect open = BoxOf(frame, frame.frameCount - 1);
        EXPECT_LT(shut.top - shut.bottom, (open.top - open.bottom) * 0.5f);
        for (std::uint32_t k = 1; k < frame.frameCount; ++k) {
            EXPECT_GE(BoxOf(frame, k).top, BoxOf(frame, k - 1).top) << "frame " << k;
        }
        // The screens print their lines from the screen's bottom, centred on
        // it (the big window's narrowed to the room left of its buttons).
        const Rect area = LastBox(std::string(name) + "\\window_area");
        EXPECT_EQ(area.left + area.right, 800.0f);
        EXPECT_EQ(area.bottom, 0.0f);
        EXPECT_GE(area.top, open.top - 20.0f);
    }
}

TEST(MenuFrameArt, LooksHaveAPicturePerState)
{
    const std::pair<const char*, std::uint32_t> looks[] = {
        {"button_main_menu", 4},  {"button_big", 4},        {"button_small", 4},       {"button_arrow_up", 4},
        {"button_arrow_down", 4}, {"button_arrow_left", 4}, {"button_arrow_right", 4}, {"scroll_h_toddler", 4},
        {"scroll_v_toddler", 4},  {"check_box", 8},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.first);
        EXPECT_EQ(StatePictures(look.first), look.second);
    }
    const Rect edit = LastBox("small_window\\edit");
    EXPECT_GE(edit.right - edit.left, 330.0f);
}

TEST(MenuFrameArt, ClickableRectanglesStayInTheirFrameApart)
{
    const Rect screen{0.0f, 0.0f, 800.0f, 600.0f};
    for (const Screen& s : Screens()) {
        SCOPED_TRACE(s.frame);
        const Rect frame = LastBox(std::string(s.frame) + "\\window");
        for (std::size_t i = 0; i < s.clickable.size(); ++i) {
            const auto& [name, rect] = s.clickable[i];
            EXPECT_TRUE(Inside(rect, screen) && Inside(rect, frame)) << name;
            for (std::size_t j = i + 1; j < s.clickable.size(); ++j) {
                EXPECT_FALSE(Overlap(rect, s.clickable[j].second)) << name << " and " << s.clickable[j].first;
            }
        }
    }
}

// A picture of another size is stretched to a power of two at every load; one
// stored much larger than it is shown wastes its texture memory, and a smaller
// one is blurred. A picture's opacity is its own size.
TEST(MenuFrameArt, PicturesAreStoredAtPowerOfTwoSizesAsLargeAsShown)
{
    constexpr float kShown = 1024.0f / 800.0f;
    std::uint32_t checked = 0;
    const std::filesystem::path root = QUILLORY_BUILD_DIR "/dataset/data/ui/menus";
    std::vector<std::filesystem::path> models;
    for (const char* folder : {"models", "map/models"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            if (entry.path().extension() == ".mlf")
                models.push_back(entry.path());
        }
    }
    for (const std::filesystem::path& model : models) {
        std::string path = "data\\ui\\menus\\" + std::filesystem::relative(model, root).string();
        std::replace(path.begin(), path.end(), '/', '\\');
        const std::string stem = path.substr(0, path.size() - 4);
        SCOPED_TRACE(stem);
        const std::vector<std::uint8_t> shaderBytes = ReadBuilt(stem + ".srf");
        OrrelayEngine::FileBinary shaderFile = OpenBuilt(stem + ".srf", shaderBytes);
        OrrelayEngine::ShaderDescriptor shader;
        shader.ReadFromFile(shaderFile, stem + ".srf");
        if (shader.GetStageCount() == 0 || shader.GetStage(0).diffuseFileName.empty())
            continue;
        const OrrelayEngine::ShaderStage& stage = shader.GetStage(0);
        const auto [width, height] = PictureSize("data\\" + stage.diffuseFileName);
        EXPECT_TRUE(OrrelayEngine::TextureManager::IsPowerOfTwo(width) &&
                    OrrelayEngine::TextureManager::IsPowerOfTwo(height))
            << width << "x" << height;
        if (!stage.opacityFileName.empty()) {
            EXPECT_EQ(std::make_pair(width, height), PictureSize("data\\" + stage.opacityFileName));
        }
        // A repeating picture has no shown size of its own, and areas are
        // never drawn.
        const bool area = stem.size() > 5 && stem.compare(stem.size() - 5, 5, "_area") == 0;
        if (stage.addressU != 0 || stage.addressV != 0 || area)
            continue;
        const std::vector<std::uint8_t> modelBytes = ReadBuilt(path);
        OrrelayEngine::FileBinary modelFile = OpenBuilt(path, modelBytes);
        ModelFile read;
        read.Read(modelFile, path, 0);
        const float rows = static_cast<float>(std::max<std::uint32_t>(stage.rows, 1));
        const auto texels =
            TexelsPerUnit(read, read.frameCount - 1, static_cast<float>(width), static_cast<float>(height) / rows);
        for (const float density : {texels.first, texels.second}) {
            if (density == 0.0f)
                continue;
            EXPECT_LE(density, kShown * 1.02f);
            EXPECT_GE(density, kShown * 0.84f);
        }
        ++checked;
    }
    EXPECT_GT(checked, 40u);
}

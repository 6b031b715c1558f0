// The head-up display and result art as the builder leaves it under
// <build>/dataset/: bars that run from full to empty in two key frames, the
// window-mode look's eight pictures, two pictures per stage in the upgrade
// look, buttons that stay in their corners clear of every board cell in both
// views and any turn, and texts that fit their areas in white ink on dark faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "content/CampaignGenerator.h"
#include "content/GameFonts.h"
#include "content/HudLayout.h"
#include "content/TextTableChecker.h"
#include "engine/file/FileBinary.h"
#include "engine/gui/FontFile.h"
#include "engine/render/Image.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ModelFile.h"

using Content::HudLayout;
using OrrelayEngine::ModelFile;
using Box = HudLayout::Box;

namespace {

const std::string kHud = "data\\ui\\menus\\models\\game_logic\\";
const std::string kControls = "data\\ui\\menus\\models\\controls\\";
const std::string kResults = "data\\ui\\menus\\models\\level_complete\\";

std::vector<std::uint8_t> ReadBuilt(std::string packPath)
{
    std::replace(packPath.begin(), packPath.end(), '\\', '/');
    std::ifstream in(QUILLORY_BUILD_DIR "/dataset/" + packPath, std::ios::binary);
    EXPECT_TRUE(in.good()) << packPath;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class Record>
Record ReadRecord(const std::string& packPath)
{
    const std::vector<std::uint8_t> bytes = ReadBuilt(packPath);
    OrrelayEngine::FileBinary file(nullptr, packPath, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    Record record;
    if constexpr (std::is_same_v<Record, ModelFile>) {
        record.Read(file, packPath, 0);
    } else if constexpr (std::is_same_v<Record, OrrelayEngine::ShaderDescriptor>) {
        record.ReadFromFile(file, packPath);
    } else {
        record.Read(file, packPath);
    }
    return record;
}

Box BoxOf(const ModelFile::Box& box)
{
    return Box{box.min.x, box.min.y, box.max.x - box.min.x, box.max.y - box.min.y};
}

Box ModelBox(const std::string& packPath, std::uint32_t frame = 0)
{
    return BoxOf(ReadRecord<ModelFile>(packPath).boxes.at(frame));
}

bool Overlap(const Box& a, const Box& b)
{
    return a.left < b.Right() && b.left < a.Right() && a.bottom < b.Top() && b.bottom < a.Top();
}

bool Inside(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left - 0.01f && inner.bottom >= outer.bottom - 0.01f &&
           inner.Right() <= outer.Right() + 0.01f && inner.Top() <= outer.Top() + 0.01f;
}

std::string Text(const std::string& section, const std::string& key)
{
    const std::string path = QUILLORY_CONTENT_DIR "/data/ui/texts/en/" + section + ".ini";
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const Content::TextTableEntry& entry : Content::TextTableChecker::Check(path, source)) {
        if (entry.key == key)
            return entry.text;
    }
    ADD_FAILURE() << key << " missing from " << section;
    return std::string();
}

// The width of a line in a font of the data set at the font's own size.
float TextWidth(std::uint32_t fontId, const std::string& text)
{
    const Content::GameFonts::Font& font = Content::GameFonts::GetFonts().at(fontId);
    static std::map<std::uint32_t, OrrelayEngine::FontFile> files;
    if (files.count(fontId) == 0) {
        files[fontId] =
            ReadRecord<OrrelayEngine::FontFile>("data\\ui\\fonts\\" + Content::GameFonts::GetFileStem(font) + ".fnt");
    }
    float width = 0.0f;
    for (const wchar_t c : Content::TextTableChecker::Widen(text)) {
        const auto& glyphs = files[fontId].glyphs;
        const auto glyph = std::find_if(glyphs.begin(), glyphs.end(), [c](const auto& g) { return g.character == c; });
        width += static_cast<float>(font.size) * (glyph != glyphs.end() ? glyph->width : 0.4f);
    }
    return width;
}

// The mean relative luminance of a model's picture under the region (GUI
// units), counting the pixels the picture covers; the picture spans the
// model's box, or one cell of a column of `cells` (cell 0 at the top).
double MeanLuminance(const std::string& model, const std::string& picture, const Box& region, std::uint32_t cell = 0,
                     std::uint32_t cells = 1)
{
    OrrelayEngine::Image color;
    OrrelayEngine::Image alpha;
    for (auto [path, image] : {std::pair{picture + ".jpg", &color}, std::pair{picture + "_alpha.jpg", &alpha}}) {
        const std::vector<std::uint8_t> bytes = ReadBuilt(path);
        OrrelayEngine::FileBinary file(nullptr, path, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                       bytes.data());
        OrrelayEngine::JpegCodec::Read(nullptr, file, path, *image);
    }
    const Box box = ModelBox(model);
    // The painting covers the lower-left part of each cell its model's
    // texture coordinates reach.
    float maxU = 0.0f;
    float maxV = 0.0f;
    const ModelFile file = ReadRecord<ModelFile>(model);
    for (std::uint32_t i = 0; i < file.vertexCount; ++i) {
        maxU = std::max(maxU, file.vertices[i].u);
        maxV = std::max(maxV, file.vertices[i].v);
    }
    const std::uint32_t stride = color.GetWidth();
    const std::uint32_t cellHeight = color.GetHeight() / cells;
    const auto w = static_cast<std::uint32_t>(std::lround(maxU * static_cast<float>(stride)));
    const auto h = static_cast<std::uint32_t>(std::lround(maxV * static_cast<float>(cellHeight)));
    const std::uint32_t colorBytes = color.GetBitsPerPixel() / 8;
    const std::uint32_t alphaBytes = alpha.GetBitsPerPixel() / 8;
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    double sum = 0.0;
    std::uint32_t counted = 0;
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            const float gx = box.left + (static_cast<float>(x) + 0.5f) / static_cast<float>(w) * box.width;
            const float gy = box.bottom + (static_cast<float>(y) + 0.5f) / static_cast<float>(h) * box.height;
            if (gx < region.left || gx > region.Right() || gy < region.bottom || gy > region.Top())
                continue;
            // Rows run bottom-up; cell 0 is the top one.
            const std::size_t row = static_cast<std::size_t>(cells - 1 - cell) * cellHeight + y;
            const std::uint8_t* a = alpha.GetData() + (row * stride + x) * alphaBytes;
            if (a[0] < 128)
                continue;
            const std::uint8_t* p = color.GetData() + (row * stride + x) * colorBytes;
            sum += 0.2126 * linear(p[0] / 255.0) + 0.7152 * linear(p[1] / 255.0) + 0.0722 * linear(p[2] / 255.0);
            ++counted;
        }
    }
    EXPECT_GT(counted, 0u) << model;
    return counted > 0 ? sum / counted : 1.0;
}

double ContrastWithWhite(double luminance)
{
    return 1.05 / (luminance + 0.05);
}

struct Camera
{
    float flatHeight, flatShift, tiltedHeight, tiltedShift, tiltedDistance;
};

// The screen rectangle (GUI units) of every cell of a board seen through its
// camera, flat or tilted, turned by `turn`, mirrored or not.
std::vector<Box> CellRectangles(const Content::CampaignGenerator::Level& level, const Camera& camera, bool tilted,
                                float turn, float mirror)
{
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const auto& cell : level.cells) {
        minX = std::min(minX, cell.firstTranslation.x), maxX = std::max(maxX, cell.firstTranslation.x);
        minY = std::min(minY, cell.firstTranslation.y), maxY = std::max(maxY, cell.firstTranslation.y);
    }
    const float cx = (minX + maxX) * 0.5f;
    const float cy = (minY + maxY) * 0.5f;
    const float d = tilted ? camera.tiltedDistance : 0.0f;
    const float h = tilted ? camera.tiltedHeight : camera.flatHeight;
    const float shift = tilted ? camera.tiltedShift : camera.flatShift;
    const float length = std::hypot(d, h);
    // Forward, right and up of the camera at (d, 0, h) looking at the centre;
    // a vertical field of view of 60 degrees over 600 units.
    const float fx = -d / length, fz = -h / length;
    const float ux = -h / length, uz = d / length;
    const float focal = 300.0f / std::tan(3.14159265f / 6.0f);
    std::vector<Box> rectangles;
    for (const auto& cell : level.cells) {
        float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
        for (int k = 0; k < 6; ++k) {
            const float a = static_cast<float>(k) * 3.14159265f / 3.0f;
            const float px = cell.firstTranslation.x + 20.0f * std::cos(a) - cx;
            const float py = cell.firstTranslation.y + 20.0f * std::sin(a) - cy;
            const float qx = px * std::cos(turn) + py * std::sin(turn) + shift - d;
            const float qy = -px * std::sin(turn) + py * std::cos(turn);
            const float qz = -h;
            const float depth = qx * fx + qz * fz;
            const float sx = 400.0f + focal * mirror * qy / depth;
            const float sy = 300.0f + focal * (qx * ux + qz * uz) / depth;
            lo[0] = std::min(lo[0], sx), hi[0] = std::max(hi[0], sx);
            lo[1] = std::min(lo[1], sy), hi[1] = std::max(hi[1], sy);
        }
        rectangles.push_back(Box{lo[0], lo[1], hi[0] - lo[0], hi[1] - lo[1]});
    }
    return rectangles;
}

} // namespace

TEST(HudArt, BarsRunFromFullToEmptyInTwoKeyFrames)
{
    const struct
    {
        std::string model;
        bool horizontal;
    } bars[] = {{kHud + "mana.mlf", false}, {kHud + "energy.mlf", false}, {kResults + "mana.mlf", true}};
    for (const auto& bar : bars) {
        SCOPED_TRACE(bar.model);
        const ModelFile model = ReadRecord<ModelFile>(bar.model);
        ASSERT_EQ(model.frameCount, 2u);
        const Box full = BoxOf(model.boxes[0]);
        const Box empty = BoxOf(model.boxes[1]);
        EXPECT_GT(bar.horizontal ? full.width : full.height, 10.0f);
        EXPECT_NEAR(bar.horizontal ? empty.width : empty.height, 0.0f, 1e-4f);
        // It empties toward its start: the left end or the bottom stays put.
        EXPECT_NEAR(empty.left, full.left, 1e-4f);
        EXPECT_NEAR(empty.bottom, full.bottom, 1e-4f);
    }
}

TEST(HudArt, LooksShowOnePicturePerStateAndTheUpgradeTwoPerStage)
{
    const struct
    {
        std::string look;
        std::uint32_t pictures;
    } looks[] = {{"button_game_logic_mode", 4},
                 {"button_game_logic_minimize", 4},
                 {"button_game_logic_maximize", 8},
                 {"button_game_logic_close", 4}};
    for (const auto& look : looks) {
        SCOPED_TRACE(look.look);
        const auto shader = ReadRecord<OrrelayEngine::ShaderDescriptor>(kControls + look.look + ".srf");
        ASSERT_GE(shader.GetStageCount(), 1u);
        EXPECT_EQ(shader.GetStage(0).frameCount, look.pictures);
        EXPECT_EQ(shader.GetStage(0).rows * shader.GetStage(0).columns, look.pictures);
    }

    // The screen stops the look at key frames 2 s and 2 s + 1: one place, the
    // stage's own pictures.
    const ModelFile upgrade = ReadRecord<ModelFile>(kControls + "upgrade.mlf");
    ASSERT_EQ(upgrade.frameCount, 8u);
    std::vector<std::pair<float, float>> corners;
    for (std::uint32_t f = 0; f < upgrade.frameCount; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const Box box = BoxOf(upgrade.boxes[f]);
        EXPECT_TRUE(Inside(box, BoxOf(upgrade.boxes[0])) && Inside(BoxOf(upgrade.boxes[0]), box));
        float u = 1e9f, v = 1e9f;
        for (std::uint32_t i = 0; i < upgrade.vertexCount; ++i) {
            u = std::min(u, upgrade.vertices[f * upgrade.vertexCount + i].u);
            v = std::min(v, upgrade.vertices[f * upgrade.vertexCount + i].v);
        }
        EXPECT_EQ(std::count(corners.begin(), corners.end(), std::pair{u, v}), 0);
        corners.emplace_back(u, v);
    }
    EXPECT_TRUE(Inside(ModelBox(kResults + "upgrade.mlf"), HudLayout::kResultPanel));
}

TEST(HudArt, ButtonsKeepToTheCornersClearOfEveryCellInBothViews)
{
    // The menu button wears the menus' small-button look, placed by its layout;
    // its hit area is the menus' (118 x 36 while the data set lacks it).
    const Box menuLayout = ModelBox(kHud + "menu_button.mlf");
    const std::string smallArea =
        QUILLORY_BUILD_DIR "/dataset/data/ui/menus/models/controls/button_small_selection_area.mlf";
    const Box smallHit = std::ifstream(smallArea).good() ? ModelBox(kControls + "button_small_selection_area.mlf")
                                                         : Box{0.0f, 0.0f, 118.0f, 36.0f};
    const Box menu = HudLayout::Centred(menuLayout.CentreX(), menuLayout.CentreY(), smallHit.width, smallHit.height);
    std::vector<std::pair<std::string, Box>> hits = {{"menu", menu}};
    for (const char* name : {"mode", "minimize", "maximize", "close"}) {
        const std::string family = kControls + "button_game_logic_" + name;
        hits.emplace_back(name, ModelBox(family + "_selection_area.mlf"));
        EXPECT_TRUE(Inside(hits.back().second, ModelBox(family + ".mlf"))) << name;
        EXPECT_TRUE(Inside(ModelBox(family + "_text_area.mlf"), ModelBox(family + ".mlf"))) << name;
    }
    // Each look stands where its placement puts it.
    for (const char* place :
         {"mode_button", "minimize_button", "maximize_window_button", "maximize_fullscreen_button", "close_button"}) {
        const Box box = ModelBox(kHud + place + ".mlf");
        EXPECT_TRUE(std::any_of(hits.begin(), hits.end(), [&](const auto& hit) {
            return std::fabs(hit.second.CentreX() - box.CentreX()) < 0.01f &&
                   std::fabs(hit.second.CentreY() - box.CentreY()) < 0.01f;
        })) << place;
    }
    const Box frames[] = {HudLayout::kLeftStrip, HudLayout::kLeftCorner, HudLayout::kRightStrip,
                          HudLayout::kRightCorner, HudLayout::kRightFoot};
    for (std::size_t i = 0; i < hits.size(); ++i) {
        SCOPED_TRACE(hits[i].first);
        EXPECT_TRUE(Inside(hits[i].second, Box{0.0f, 0.0f, 800.0f, 600.0f}));
        EXPECT_TRUE(std::any_of(std::begin(frames), std::end(frames),
                                [&](const Box& frame) { return Inside(hits[i].second, frame); }));
        for (std::size_t j = i + 1; j < hits.size(); ++j)
            EXPECT_FALSE(Overlap(hits[i].second, hits[j].second)) << hits[j].first;
    }

    for (const auto& stage : Content::CampaignGenerator::MakeCampaign()) {
        for (const auto& level : stage.levels) {
            SCOPED_TRACE(level.boardName);
            const std::vector<std::uint8_t> bytes = ReadBuilt("data\\boards\\" + level.boardName + "_camera.ini");
            std::istringstream in(std::string(bytes.begin(), bytes.end()));
            Camera camera{};
            ASSERT_TRUE(in >> camera.flatHeight >> camera.flatShift >> camera.tiltedHeight >> camera.tiltedShift >>
                        camera.tiltedDistance);
            std::size_t overlaps = 0;
            for (const bool tilted : {false, true}) {
                for (int step = 0; step < 36; ++step) {
                    for (const float mirror : {1.0f, -1.0f}) {
                        const float turn = static_cast<float>(step) * 3.14159265f / 18.0f;
                        for (const Box& cell : CellRectangles(level, camera, tilted, turn, mirror)) {
                            for (const auto& hit : hits)
                                overlaps += Overlap(cell, hit.second) ? 1 : 0;
                        }
                    }
                }
            }
            EXPECT_EQ(overlaps, 0u);
        }
    }
}

TEST(HudArt, TextsFitTheirAreasInWhiteOnDarkFaces)
{
    const std::string level = Text("game_logic", "GAME_LOGIC_LEVEL");
    const std::string score = Text("game_logic", "GAME_LOGIC_SCORE");
    const std::string mana = Text("game_logic", "GAME_LOGIC_MANNA");
    const std::string energy = Text("game_logic", "GAME_LOGIC_ENERGY");
    const std::string manaLine = mana + " (8888 / 8888)";
    const struct
    {
        std::string area;
        std::string text;
        std::uint32_t font;
        bool upright;
    } fits[] = {
        {kHud + "level_name_title_text_area.mlf", level, 1, false},
        {kHud + "score_title_text_area.mlf", score, 1, false},
        {kHud + "level_name_text_area.mlf", "4-6", 6, false},
        {kHud + "score_text_area.mlf", "8888888", 6, false},
        {kHud + "mana_text_area.mlf", mana, 2, true},
        {kHud + "energy_text_area.mlf", energy, 2, true},
        {kControls + "button_game_logic_mode_text_area.mlf", Text("game_logic", "GAME_LOGIC_2D"), 1, false},
        {kControls + "button_game_logic_mode_text_area.mlf", Text("game_logic", "GAME_LOGIC_3D"), 1, false},
        {kResults + "mana_text_area.mlf", manaLine, 2, false},
    };
    for (const auto& fit : fits) {
        SCOPED_TRACE(fit.area + " " + fit.text);
        const Box area = ModelBox(fit.area);
        const float along = TextWidth(fit.font, fit.text);
        const float across = static_cast<float>(Content::GameFonts::GetFonts().at(fit.font).size);
        EXPECT_LE(along, fit.upright ? area.height : area.width);
        EXPECT_LE(across, fit.upright ? area.width : area.height);
    }

    // White ink wants a face of a third of white's luminance at most.
    const struct
    {
        std::string model;
        std::string picture;
        Box region;
        std::uint32_t cells;
    } faces[] = {
        {kHud + "background.mlf", "background", HudLayout::kLevelCaption, 1},
        {kHud + "background.mlf", "background", HudLayout::kScoreCaption, 1},
        {kHud + "level_name.mlf", "level_name", ModelBox(kHud + "level_name_text_area.mlf"), 1},
        {kHud + "score.mlf", "score", ModelBox(kHud + "score_text_area.mlf"), 1},
        {kHud + "mana_background.mlf", "mana_background", ModelBox(kHud + "mana_text_area.mlf"), 1},
        {kHud + "energy_background.mlf", "energy_background", ModelBox(kHud + "energy_text_area.mlf"), 1},
        {kControls + "button_game_logic_mode.mlf", "button_game_logic_mode",
         ModelBox(kControls + "button_game_logic_mode_text_area.mlf"), 4},
        {kResults + "frame.mlf", "level_complete_frame", ModelBox(kResults + "mana_text_area.mlf"), 1},
        {kResults + "frame.mlf", "level_complete_frame", HudLayout::kResultBonusLine, 1},
    };
    for (const auto& face : faces) {
        for (std::uint32_t cell = 0; cell < face.cells; ++cell) {
            SCOPED_TRACE(face.picture + " picture " + std::to_string(cell));
            const double luminance = MeanLuminance(face.model, "data\\ui\\menus\\textures\\hud\\" + face.picture,
                                                   face.region, cell, face.cells);
            EXPECT_GE(ContrastWithWhite(luminance), 3.0);
        }
    }
}

TEST(HudArt, MenuAndResultPartsStayInTheBigFrameLeftOfItsButtons)
{
    // The menus' big frame and the column its buttons stand in.
    const Box bigFrame{34.0f, 14.0f, 732.0f, 278.0f};
    const float buttonColumnLeft = 592.0f;
    const std::string menu = "data\\ui\\menus\\models\\game_logic_menu\\";
    std::vector<std::pair<std::string, Box>> parts;
    for (const char* name : {"slider_music", "slider_sound", "fullscreen_check_box", "relax_check_box"}) {
        Box box = ModelBox(menu + name + ".mlf");
        // Slider captions stand above them, box captions right of them.
        if (name[0] == 's')
            box.height += 6.0f + 17.0f;
        else
            box.width +=
                6.0f + TextWidth(2, Text("options", name[0] == 'f' ? "OPTIONS_FULLSCREEN" : "OPTIONS_RELAX_MODE"));
        parts.emplace_back(name, box);
    }
    for (const char* name : {"frame", "upgrade", "mana_background", "mana", "mana_text_area"})
        parts.emplace_back(name, ModelBox(kResults + name + ".mlf"));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        SCOPED_TRACE(parts[i].first);
        EXPECT_TRUE(Inside(parts[i].second, bigFrame));
        EXPECT_LT(parts[i].second.Right(), buttonColumnLeft);
        for (std::size_t j = i + 1; j < 4; ++j)
            EXPECT_FALSE(Overlap(parts[i].second, parts[j].second)) << parts[j].first;
    }
}

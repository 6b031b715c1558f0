// The largest shipped level's whole scene through the engine's frame against
// raw GL on the same context, at 1024 x 768 on the offscreen driver: every
// item landed, resting and flapping, with its shadow, the cells, borders and
// scenery, one bonus of each kind, and the cells' layer particles set off in
// turn. The engine's frame is Engine::PreFrame, GameLogic::Update and
// Engine::Frame (update, cull, sort, draw, present); the raw path draws the
// models of the engine's last draw list, in its order, with the same
// buffers, textures, blending, depth, culling and lighting switches, set by
// hand, and presents. Frames alternate; prints both frame rates, the ratio
// (goal: at most 1.25) and the model and draw counts, with 60 frames per
// second as the target for an eight-core machine.
// Needs the built data set (data/pack0.pak in the build folder).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "bench/RawGLDrawing.h"
#include "content/CampaignGenerator.h"
#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "game/GameLevelRecord.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/BonusManager.h"
#include "game/logic/Cell.h"
#include "game/logic/GameLogic.h"
#include "platform/TextureSurface.h"
#include "tests/game/GLLevelHarness.h"

using namespace OrrelayEngine;

namespace {

constexpr int kComparedFrames = 201;
constexpr double kSettleSeconds = 4.0;
// Every this many frames the next few cells set off their layer particles.
constexpr int kParticleEvery = 20;
constexpr std::uint32_t kParticleCells = 4;

std::string LargestBoardName()
{
    std::string name;
    std::size_t cells = 0;
    for (const Content::CampaignGenerator::Stage& stage : Content::CampaignGenerator::MakeCampaign()) {
        for (const Content::CampaignGenerator::Level& level : stage.levels) {
            if (level.cells.size() > cells) {
                cells = level.cells.size();
                name = level.boardName;
            }
        }
    }
    return name;
}

// The render system's blend codes in GL's terms.
GLenum BlendFactor(std::uint32_t code)
{
    switch (code) {
    case RenderSystem::kBlendZero:
        return GL_ZERO;
    case RenderSystem::kBlendDestinationColor:
        return GL_DST_COLOR;
    case RenderSystem::kBlendInverseDestinationColor:
        return GL_ONE_MINUS_DST_COLOR;
    case RenderSystem::kBlendSourceAlpha:
        return GL_SRC_ALPHA;
    case RenderSystem::kBlendInverseSourceAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case RenderSystem::kBlendDestinationAlpha:
        return GL_DST_ALPHA;
    case RenderSystem::kBlendInverseDestinationAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    case RenderSystem::kBlendSourceAlphaSaturated:
        return GL_SRC_ALPHA_SATURATE;
    case RenderSystem::kBlendSourceColor:
        return GL_SRC_COLOR;
    case RenderSystem::kBlendInverseSourceColor:
        return GL_ONE_MINUS_SRC_COLOR;
    default:
        return GL_ONE;
    }
}

// A texel of any 16- or 32-bit mask format as RGBA bytes.
std::uint8_t Channel(std::uint32_t texel, std::uint32_t mask, std::uint8_t absent)
{
    if (mask == 0)
        return absent;
    std::uint32_t shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const std::uint32_t maximum = mask >> shift;
    return static_cast<std::uint8_t>(((texel & mask) >> shift) * 255u / maximum);
}

class Scene
{
public:
    Scene() : level(LargestBoardName())
    {
        if (!level.Ready())
            return;
        // The camera's swing-in takes 2.2 s; the items appear meanwhile.
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(kSettleSeconds))
            EngineFrame();
        Tansywell::Board& board = *level.logic->GetBoard();
        std::uint32_t given = 0;
        for (std::uint32_t i = 0; i < board.GetCellCount() && given < 3; i += 7) {
            Tansywell::BoardItem* item = board.GetItem(board.GetCellAt(i));
            if (item != nullptr && item->GetBonus() == nullptr)
                item->SetBonus(level.logic->GetBonusManager()->CreateBonus(given++));
        }
        for (int frame = 0; frame < 30; ++frame)
            EngineFrame();
    }

    bool Ready() const { return level.Ready(); }

    void EngineFrame()
    {
        if (++frames_ % kParticleEvery == 0)
            SetOffParticles();
        level.Frame();
        Bench::FinishPicture();
    }

    void RawFrame()
    {
        const ModelManager& models = *level.engine->GetModelManager();
        {
            Bench::RawGLFrame frame(Matrix4Identity());
            PushTextureMatrices();
            glActiveTexture(GL_TEXTURE0);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            const Camera* applied = nullptr;
            bool appliedBias = false;
            GLfloat view[16] = {};
            for (std::uint32_t i = 0; i < models.GetDrawCount(); ++i) {
                const Model& model = *models.GetDrawn(i);
                const std::uint32_t flags = model.GetFlags();
                const bool bias = (flags & Model::kFlagDepthBias) != 0;
                if (model.GetCamera() != nullptr && (model.GetCamera() != applied || bias != appliedBias)) {
                    applied = model.GetCamera();
                    appliedBias = bias;
                    LoadCamera(*applied, bias, view);
                }
                ApplyStates(model);
                GLfloat modelView[16];
                Placement(model.GetWorldMatrix(), view, modelView);
                const int passes = (flags & Model::kFlagTwoPasses) != 0 ? 2 : 1;
                for (int pass = 0; pass < passes; ++pass) {
                    if (passes == 2) {
                        glEnable(GL_CULL_FACE);
                        glCullFace(pass == 0 ? GL_FRONT : GL_BACK);
                    }
                    Bench::DrawBuffersAt(*model.GetVertexBuffer(), *model.GetIndexBuffer(), model.IsStrip(), modelView);
                }
            }
            PopTextureMatrices();
        }
        level.engine->GetRenderSystem()->SwapBuffers();
        Bench::FinishPicture();
    }

    GameTests::GLLevelHarness level;

private:
    // The device keeps its own texture matrices and sets them only when they
    // change: they must be as it left them.
    static void PushTextureMatrices()
    {
        glMatrixMode(GL_TEXTURE);
        for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
            glActiveTexture(unit);
            glPushMatrix();
        }
        glMatrixMode(GL_MODELVIEW);
    }

    static void PopTextureMatrices()
    {
        glMatrixMode(GL_TEXTURE);
        for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
            glActiveTexture(unit);
            glPopMatrix();
        }
        glMatrixMode(GL_MODELVIEW);
        glActiveTexture(GL_TEXTURE0);
    }

    static Matrix4 Matrix4Identity()
    {
        Matrix4 identity;
        MatrixSetIdentity(identity);
        return identity;
    }

    void SetOffParticles()
    {
        const Tansywell::Board& board = *level.logic->GetBoard();
        for (std::uint32_t k = 0; k < kParticleCells; ++k) {
            Tansywell::Cell* cell = board.GetCellAt(nextParticleCell_++ % board.GetCellCount());
            if (ParticleSystem* particles = cell->GetLayerParticles()) {
                particles->elapsedTime = 0.0f;
                particles->emitting = 1;
            }
        }
    }

    // The device's forms, as the render system hands them over: the
    // camera's device projection with depth 0..1 mapped to GL's -1..1, the
    // view looking down +z, row vectors throughout.
    static void LoadCamera(const Camera& camera, bool bias, GLfloat view[16])
    {
        const auto* device = dynamic_cast<const Camera_D3D7*>(&camera);
        const Matrix4& projection = device == nullptr ? camera.GetProjection()
                                    : bias            ? device->GetDeviceBiasedProjection()
                                                      : device->GetDeviceProjection();
        const float* p = projection.m;
        GLfloat remapped[16];
        for (int row = 0; row < 4; ++row) {
            const float w = p[row * 4 + 3];
            remapped[row * 4 + 0] = p[row * 4 + 0];
            remapped[row * 4 + 1] = p[row * 4 + 1];
            remapped[row * 4 + 2] = 2.0f * p[row * 4 + 2] - w;
            remapped[row * 4 + 3] = w;
        }
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(remapped);
        glMatrixMode(GL_MODELVIEW);
        for (int index = 0; index < 16; ++index)
            view[index] = camera.GetView().m[index];
        for (int index : {2, 6, 10, 14})
            view[index] = -view[index];
    }

    static void Placement(const Matrix4& placement, const GLfloat view[16], GLfloat out[16])
    {
        Matrix4 world = placement;
        world.Transpose();
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                out[row * 4 + column] =
                    world.m[row * 4 + 0] * view[0 * 4 + column] + world.m[row * 4 + 1] * view[1 * 4 + column] +
                    world.m[row * 4 + 2] * view[2 * 4 + column] + world.m[row * 4 + 3] * view[3 * 4 + column];
            }
        }
    }

    void ApplyStates(const Model& model)
    {
        const std::uint32_t flags = model.GetFlags();
        if ((flags & Model::kFlagLit) != 0)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        if ((flags & Model::kFlagDepthTest) != 0)
            glEnable(GL_DEPTH_TEST);
        else
            glDisable(GL_DEPTH_TEST);
        glDepthMask((flags & Model::kFlagNoDepthWrite) == 0 ? GL_TRUE : GL_FALSE);
        if ((flags & Model::kFlagCullClockwise) != 0) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_BACK);
        } else if ((flags & Model::kFlagCullCounterClockwise) != 0) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
        } else {
            glDisable(GL_CULL_FACE);
        }
        if ((flags & Model::kFlagVertexColor) == 0)
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        const ShaderUser* user = model.GetShaderUser();
        const Shader* shader = user != nullptr ? user->GetShader() : nullptr;
        if (user != nullptr && (user->GetFlags() & ShaderDescriptor::kFlagAlphaBlend) != 0) {
            glEnable(GL_BLEND);
            glBlendFunc(BlendFactor(user->GetBlendFactor(0)), BlendFactor(user->GetBlendFactor(1)));
        } else {
            glDisable(GL_BLEND);
        }
        for (std::uint32_t stage = 0; stage < 2; ++stage) {
            glActiveTexture(GL_TEXTURE0 + stage);
            Texture2D* texture = nullptr;
            if (shader != nullptr && stage < user->GetStageCount())
                texture = shader->GetTexture(stage, user->GetStage(stage).frameIndex);
            const GLuint name = texture != nullptr ? TextureName(*texture) : 0;
            if (name != 0) {
                const ShaderStage& record = user->GetStage(stage);
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, name);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, record.addressU != 0 ? GL_REPEAT : GL_CLAMP_TO_EDGE);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, record.addressV != 0 ? GL_REPEAT : GL_CLAMP_TO_EDGE);
                // Animated pictures show one cell of their grid through the texture matrix.
                glMatrixMode(GL_TEXTURE);
                glLoadIdentity();
                glTranslatef(record.textureTransform[2], record.textureTransform[3], 0.0f);
                glScalef(record.textureTransform[0], record.textureTransform[1], 1.0f);
                glMatrixMode(GL_MODELVIEW);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
        }
        glActiveTexture(GL_TEXTURE0);
    }

    // Each picture uploaded once, as RGBA bytes.
    GLuint TextureName(Texture2D& texture)
    {
        Platform::TextureSurface* surface = texture.GetSurface();
        if (surface == nullptr)
            return 0;
        const auto found = textures_.find(surface);
        if (found != textures_.end())
            return found->second;
        const Platform::PixelFormat& format = surface->GetDescription().format;
        const std::uint32_t width = surface->GetLevelWidth(0);
        const std::uint32_t height = surface->GetLevelHeight(0);
        const std::uint32_t pitch = surface->GetLevelPitch(0);
        const std::uint8_t* bits = surface->GetLevelBits(0);
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint8_t* at = bits + static_cast<std::size_t>(y) * pitch + x * (format.bitCount / 8);
                const std::uint32_t texel = format.bitCount == 16
                                                ? static_cast<std::uint32_t>(at[0] | (at[1] << 8))
                                                : static_cast<std::uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16) |
                                                                             (static_cast<std::uint32_t>(at[3]) << 24));
                std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
                out[0] = Channel(texel, format.redMask, 0);
                out[1] = Channel(texel, format.greenMask, 0);
                out[2] = Channel(texel, format.blueMask, 0);
                out[3] = Channel(texel, format.hasAlpha ? format.alphaMask : 0, 255);
            }
        }
        const GLuint name = Bench::UploadTexture(width, height, GL_RGBA, rgba.data());
        textures_[surface] = name;
        return name;
    }

    int frames_ = 0;
    std::uint32_t nextParticleCell_ = 0;
    std::unordered_map<const Platform::TextureSurface*, GLuint> textures_;
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void BM_BoardSceneThroughEngine(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context or no built data set");
        return;
    }
    for (auto _ : state)
        scene.EngineFrame();
}
BENCHMARK(BM_BoardSceneThroughEngine)->Unit(benchmark::kMillisecond);

void BM_BoardSceneThroughRawGL(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context or no built data set");
        return;
    }
    scene.EngineFrame();
    for (auto _ : state)
        scene.RawFrame();
}
BENCHMARK(BM_BoardSceneThroughRawGL)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        std::printf("%s: no ratio.\n", scene.level.problem.c_str());
        return 0;
    }
    const Bench::FrameMedians medians =
        Bench::CompareAlternatingFrames([&] { scene.EngineFrame(); }, [&] { scene.RawFrame(); }, kComparedFrames);
    const ModelManager& models = *scene.level.engine->GetModelManager();
    const ModelManager::Statistics& statistics = models.GetStatistics();
    const ModeInfo* mode = scene.level.engine->GetRenderSystem()->GetCurrentMode();
    std::printf("level %s (%u cells): %u models, %u visible, %u drawn, %u draws, %u triangles drawn at %ux%u: "
                "engine frame %.1f fps, raw GL %.1f fps, engine / raw GL time = %.3f (goal <= 1.25; target "
                "60 fps on 8 cores)\n",
                scene.level.level->boardName.c_str(), scene.level.logic->GetBoard()->GetCellCount(),
                models.GetModelCount(), statistics.visibleModels, statistics.drawnModels, models.GetDrawCount(),
                statistics.drawnTriangles, mode != nullptr ? mode->width : 0u, mode != nullptr ? mode->height : 0u,
                1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds, medians.oursSeconds / medians.rawSeconds);
    return 0;
}

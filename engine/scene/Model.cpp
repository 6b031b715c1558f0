#include "engine/scene/Model.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/Frustum.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Plane.h"
#include "engine/core/Random.h"
#include "engine/core/Ray.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Skeleton.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kSortGroups = Model::kFlagFirstGroup | Model::kFlagSecondGroup;
constexpr std::uint32_t kCullGroup =
    Model::kFlagCullClockwise | Model::kFlagTwoPasses | Model::kFlagCullCounterClockwise;
constexpr float kSelfMadeHalfSize = 0.0001f;
constexpr float kBlendTolerance = 0.0001f;
constexpr float kParallelTolerance = 0.0001f;
constexpr float kSkinnedBoxStart = 100000.0f;
constexpr std::uint32_t kBoxVertexCount = 24;
constexpr std::uint32_t kBoxIndexCount = 36;
// Per face: the outward normal's axis and sign, then its four corners as
// (x, y, z) picks of the minimum (0) or maximum (1), counter-clockwise seen
// from outside.
struct BoxFace
{
    float normal[3];
    std::uint8_t corners[4][3];
};
constexpr BoxFace kBoxFaces[6] = {
    {{1, 0, 0}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
    {{-1, 0, 0}, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}},
    {{0, 1, 0}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}},
    {{0, -1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
    {{0, 0, 1}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}},
    {{0, 0, -1}, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}},
};
constexpr float kBoxFaceUv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

std::uint32_t NormalizeFlagWord(std::uint32_t flags)
{
    return flags == 0 ? Model::kFlagVertexBufferKind1 : flags;
}

// Keeps one bit of each exclusive group in bits: the lowest one given.
std::uint32_t KeepOnePerGroup(std::uint32_t bits)
{
    if ((bits & kSortGroups) == kSortGroups) {
        bits &= ~Model::kFlagSecondGroup;
    }
    const std::uint32_t cull = bits & kCullGroup;
    if (cull != 0) {
        bits = (bits & ~kCullGroup) | (cull & (~cull + 1));
    }
    return bits;
}

Vector3 Lerp(const Vector3& a, const Vector3& b, float t)
{
    return a * (1.0f - t) + b * t;
}

} // namespace

Model::Model(const ModelServices& services, const Vector3& minCorner, const Vector3& maxCorner,
             const ShaderDescriptor* descriptor, Camera* camera, std::uint32_t extraFlags)
    : services_(services), name_("box"), flags_(kBoxFlags), vertexKind_(ModelFile::kStaticVertices)
{
    SetFlags(extraFlags);
    strip_ = (flags_ & kFlagTriangleList) != 0 ? 0 : 1;
    SetCamera(camera);
    animation_ = std::make_unique<AnimationControl>(services_.log, services_.timerManager, 1);
    vertexBuffer_ = services_.renderSystem->CreateVertexBuffer(flags_ & kFlagVertexColor, kBoxVertexCount);
    indexBuffer_ = services_.renderSystem->CreateIndexBuffer(kBoxIndexCount);

    const Vector3 corners[2] = {minCorner, maxCorner};
    std::uint32_t indices[kBoxIndexCount];
    const bool colored = vertexBuffer_->HasColor();
    void* locked = vertexBuffer_->Lock(0, kBoxVertexCount);
    auto* bytes = static_cast<std::uint8_t*>(locked);
    for (std::uint32_t face = 0; face < 6; ++face) {
        const BoxFace& layout = kBoxFaces[face];
        for (std::uint32_t k = 0; k < 4; ++k) {
            const std::uint32_t vertex = face * 4 + k;
            const Vector3 position(corners[layout.corners[k][0]].x, corners[layout.corners[k][1]].y,
                                   corners[layout.corners[k][2]].z);
            const Vector3 normal(layout.normal[0], layout.normal[1], layout.normal[2]);
            if (colored) {
                ColoredVertex& out = reinterpret_cast<ColoredVertex*>(bytes)[vertex];
                out.x = position.x, out.y = position.y, out.z = position.z;
                out.nx = normal.x, out.ny = normal.y, out.nz = normal.z;
                out.u = kBoxFaceUv[k][0], out.v = kBoxFaceUv[k][1];
            } else {
                PlainVertex& out = reinterpret_cast<PlainVertex*>(bytes)[vertex];
                out.x = position.x, out.y = position.y, out.z = position.z;
                out.nx = normal.x, out.ny = normal.y, out.nz = normal.z;
                out.u = kBoxFaceUv[k][0], out.v = kBoxFaceUv[k][1];
            }
        }
        const std::uint32_t first = face * 4;
        const std::uint32_t faceIndices[6] = {first, first + 1, first + 2, first, first + 2, first + 3};
        std::copy(faceIndices, faceIndices + 6, indices + face * 6);
    }
    vertexBuffer_->Unlock();
    indexBuffer_->SetIndices(0, kBoxIndexCount, indices);
    primitiveCount_ = CountPrimitives();
    if (descriptor != nullptr) {
        CreateShader(descriptor);
    } else {
        const ShaderDescriptor plain;
        CreateShader(&plain);
    }
    ComputeBoundingBox(box);
}

Model::Model(const ModelServices& services, std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
             std::uint32_t frameCount, const ShaderDescriptor* descriptor, Camera* camera)
    : services_(services), name_("self_made"), flags_(NormalizeFlagWord(flags)), vertexKind_(ModelFile::kStaticVertices)
{
    strip_ = (flags_ & kFlagTriangleList) != 0 ? 0 : 1;
    SetCamera(camera);
    animation_ = std::make_unique<AnimationControl>(services_.log, services_.timerManager, frameCount);
    vertexBuffer_ = services_.renderSystem->CreateVertexBuffer(flags_ & kFlagVertexColor, vertexCount);
    indexBuffer_ = services_.renderSystem->CreateIndexBuffer(indexCount);
    primitiveCount_ = CountPrimitives();
    if (descriptor != nullptr) {
        CreateShader(descriptor);
    } else {
        const ShaderDescriptor plain;
        CreateShader(&plain);
    }
    box.Set(Vector3(-kSelfMadeHalfSize, -kSelfMadeHalfSize, -kSelfMadeHalfSize),
            Vector3(kSelfMadeHalfSize, kSelfMadeHalfSize, kSelfMadeHalfSize));
}

Model::Model(const ModelServices& services, const std::string& fileName, Camera* camera, std::uint32_t extraFlags)
    : services_(services), name_(fileName)
{
    SetCamera(camera);
    ModelFile contents;
    try {
        std::unique_ptr<FileBinary> file =
            services_.fileManager->OpenFile(FileManager::GetDataPath(fileName), false, true);
        contents.Read(*file, fileName, extraFlags);
    } catch (const FileError& error) {
        if (services_.log != nullptr) {
            services_.log->LogError(error.GetMessage());
        }
        throw Error(error.GetMessage());
    }
    Build(contents);
    CreateShaderFromFileName();
}

Model::Model(const ModelServices& services, const std::string& fileName, const ModelFile& contents, Camera* camera)
    : services_(services), name_(fileName)
{
    SetCamera(camera);
    Build(contents);
    CreateShaderFromFileName();
}

Model::Model(const Model& source, Camera* camera, std::uint32_t extraFlags)
    : matrix(source.matrix), baseMatrix(source.baseMatrix), box(source.box), depth(source.depth),
      depthBias(source.depthBias), animateVertices(source.animateVertices), services_(source.services_),
      name_(source.name_), flags_(NormalizeFlagWord(source.flags_ | extraFlags)),
      strip_((flags_ & kFlagTriangleList) != 0 ? 0 : 1), vertexKind_(source.vertexKind_), frames_(source.frames_),
      camera_(camera != nullptr ? camera : source.camera_)
{
    indexBuffer_ = services_.renderSystem->CloneIndexBuffer(*source.indexBuffer_);
    // The extra flags may turn a strip into a list.
    primitiveCount_ = CountPrimitives();
    vertexBuffer_ = services_.renderSystem->CloneVertexBuffer(*source.vertexBuffer_);
    animation_ = std::make_unique<AnimationControl>(*source.animation_);
    if (source.skeleton_ != nullptr) {
        skeleton_ = std::make_unique<Skeleton>(*source.skeleton_);
    }
    if (source.shaderUser_ != nullptr) {
        shaderUser_ = services_.shaderManager->CloneShaderUser(*source.shaderUser_);
    }
    deferred_ = source.deferred_;
    if (source.pendingShader_ != nullptr) {
        pendingShader_ = std::make_unique<ShaderDescriptor>(*source.pendingShader_);
    }
    box.SetTransform(matrix);
}

Model::~Model()
{
    if (services_.shaderManager != nullptr) {
        services_.shaderManager->DeleteShaderUser(shaderUser_);
        services_.shaderManager->DeleteShaderUser(secondShaderUser_);
    }
}

const std::shared_ptr<const Model::Frames>& Model::NoFrames()
{
    static const std::shared_ptr<const Frames> none = std::make_shared<const Frames>();
    return none;
}

void Model::Build(const ModelFile& contents)
{
    auto frames = std::make_shared<Frames>();
    flags_ = NormalizeFlagWord(contents.flags);
    strip_ = (flags_ & kFlagTriangleList) != 0 ? 0 : 1;
    vertexKind_ = contents.vertexKind;
    animation_ = std::make_unique<AnimationControl>(services_.log, services_.timerManager, contents.frameCount);
    animation_->speed = contents.animationSpeed;

    if (!contents.bones.empty() || (flags_ & kFlagSkinned) != 0) {
        skeleton_ = std::make_unique<Skeleton>(this, static_cast<std::uint16_t>(contents.bones.size()));
        for (std::uint32_t i = 0; i < contents.bones.size(); ++i) {
            const ModelFile::Bone& record = contents.bones[i];
            Skeleton::Bone& bone = skeleton_->GetBone(i);
            bone.boundsExcluded = record.boundsExcluded;
            bone.name = record.name;
            bone.pivot = record.pivot;
            bone.box.Set(record.boxMin, record.boxMax);
            bone.firstLink = record.firstLink;
            bone.secondLink = record.secondLink;
        }
        frames->boneFrames = contents.boneFrames;
    }

    // The file's index width may differ from the buffer's: indices travel as
    // 32-bit values and the buffer stores them in its own width. A buffer picks
    // its width from its capacity, so indices that need 32 bits get a buffer
    // large enough to be wide, of which only the file's count is used.
    const auto indexCount = static_cast<std::uint32_t>(contents.indices.size());
    const bool wideIndices = std::any_of(contents.indices.begin(), contents.indices.end(),
                                         [](std::uint32_t index) { return index > 0xFFFFu; });
    indexBuffer_ = services_.renderSystem->CreateIndexBuffer(
        wideIndices ? std::max(indexCount, IndexBuffer::kFirst32BitCapacity) : indexCount);
    if (wideIndices) {
        indexBuffer_->SetUsedCount(indexCount);
    }
    if (!contents.indices.empty()) {
        indexBuffer_->SetIndices(0, static_cast<std::uint32_t>(contents.indices.size()), contents.indices.data());
    }
    vertexBuffer_ = services_.renderSystem->CreateVertexBuffer(flags_ & kFlagVertexColor, contents.vertexCount);

    // The file stores uv, normal, position; the buffer position, normal,
    // (colour,) uv: field by field, never the bytes as they stand.
    const std::uint32_t count = contents.vertexCount;
    if (vertexKind_ != ModelFile::kNoVertices && count > 0 && contents.vertices.size() >= count) {
        const bool colored = vertexBuffer_->HasColor();
        void* locked = vertexBuffer_->Lock(0, count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const ModelFile::Vertex& in = contents.vertices[i];
            if (colored) {
                ColoredVertex& out = static_cast<ColoredVertex*>(locked)[i];
                out.x = in.position.x, out.y = in.position.y, out.z = in.position.z;
                out.nx = in.normal.x, out.ny = in.normal.y, out.nz = in.normal.z;
                out.u = in.u, out.v = in.v;
            } else {
                PlainVertex& out = static_cast<PlainVertex*>(locked)[i];
                out.x = in.position.x, out.y = in.position.y, out.z = in.position.z;
                out.nx = in.normal.x, out.ny = in.normal.y, out.nz = in.normal.z;
                out.u = in.u, out.v = in.v;
            }
        }
        vertexBuffer_->Unlock();
    }
    if (vertexKind_ == ModelFile::kKeyframeVertices) {
        frames->keyframeVertices = contents.vertices;
    } else if (vertexKind_ == ModelFile::kSkinnedVertices) {
        frames->skinnedVertices = contents.skinnedVertices;
    }

    if ((flags_ & kFlagKeyframe) != 0) {
        frames->frameBoxes.resize(contents.boxes.size());
        for (std::size_t i = 0; i < contents.boxes.size(); ++i) {
            frames->frameBoxes[i].Set(contents.boxes[i].min, contents.boxes[i].max);
        }
    }
    frames_ = std::move(frames);
    if (!contents.boxes.empty()) {
        box.Set(contents.boxes[0].min, contents.boxes[0].max);
    }
    primitiveCount_ = CountPrimitives();
}

void Model::CreateShaderFromFileName()
{
    std::string shaderName = name_;
    FileManager::SetExtension(shaderName, "srf");
    shaderUser_ = services_.shaderManager->CreateShaderUserFromFile(shaderName);
}

void Model::CreateShader(const ShaderDescriptor* descriptor)
{
    shaderUser_ = services_.shaderManager->CreateShaderUser(*descriptor);
}

void Model::SetFlags(std::uint32_t bits)
{
    bits = KeepOnePerGroup(bits);
    if ((bits & kSortGroups) != 0) {
        flags_ &= ~kSortGroups;
    }
    if ((bits & kCullGroup) != 0) {
        flags_ &= ~kCullGroup;
    }
    flags_ |= bits;
    strip_ = (flags_ & kFlagTriangleList) != 0 ? 0 : 1;
}

void Model::ClearFlags(std::uint32_t bits)
{
    if ((bits & kSortGroups) != 0) {
        flags_ |= kSortGroups;
    }
    flags_ &= ~bits;
    strip_ = (flags_ & kFlagTriangleList) != 0 ? 0 : 1;
}

void Model::SetCamera(Camera* camera)
{
    camera_ = camera;
    if (camera_ == nullptr && services_.cameraManager != nullptr) {
        camera_ = services_.cameraManager->GetCurrentCamera();
    }
}

void Model::SetShader(const ShaderDescriptor& descriptor)
{
    if (deferred_ != 0) {
        if (pendingShader_ != nullptr) {
            *pendingShader_ = descriptor;
        } else {
            pendingShader_ = std::make_unique<ShaderDescriptor>(descriptor);
        }
        return;
    }
    ShaderUser* replacement = services_.shaderManager->CreateShaderUser(descriptor);
    if (shaderUser_ != nullptr) {
        services_.shaderManager->DeleteShaderUser(shaderUser_);
    }
    shaderUser_ = replacement;
}

void Model::SetShaderDeferred(bool deferred)
{
    deferred_ = deferred ? 1 : 0;
    if (deferred || pendingShader_ == nullptr) {
        return;
    }
    const std::unique_ptr<ShaderDescriptor> pending = std::move(pendingShader_);
    SetShader(*pending);
}

void Model::SetColor(const Color& color)
{
    if (vertexBuffer_->HasColor()) {
        vertexBuffer_->SetAllVertexColors(color);
    }
}

Color Model::GetColor() const
{
    return vertexBuffer_->GetVertexColor(0);
}

Matrix4 Model::GetWorldMatrix() const
{
    if (camera_ != nullptr && camera_->IsAttached()) {
        return camera_->GetSecondMatrix() * matrix * camera_->GetFirstMatrix();
    }
    return matrix;
}

Vector3 Model::GetVertexPosition(std::uint32_t index) const
{
    const float* position = reinterpret_cast<const float*>(vertexBuffer_->GetData() + static_cast<std::size_t>(index) *
                                                                                          vertexBuffer_->GetStride());
    return Vector3(position[0], position[1], position[2]);
}

void Model::ComputeBoundingBox(BoundingBox& target) const
{
    const std::uint32_t count = vertexBuffer_->GetVertexCount();
    if (count == 0) {
        target.Set(Vector3(), Vector3());
        return;
    }
    Vector3 low = GetVertexPosition(0);
    Vector3 high = low;
    for (std::uint32_t i = 1; i < count; ++i) {
        const Vector3 p = GetVertexPosition(i);
        low = Vector3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = Vector3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
    target.Set(low, high);
}

std::uint32_t Model::CountPrimitives() const
{
    const std::uint32_t used = indexBuffer_ != nullptr ? indexBuffer_->GetUsedCount() : 0;
    if (strip_ != 0) {
        // A strip needs three indices for its first triangle.
        return used >= 3 ? used - 2 : 0;
    }
    return used / 3;
}

void Model::UpdateKeyframeBox(std::uint32_t current, std::uint32_t next, float t)
{
    const std::vector<BoundingBox>& frameBoxes = frames_->frameBoxes;
    if (current >= frameBoxes.size() || next >= frameBoxes.size()) {
        box.SetTransform(matrix);
        return;
    }
    const BoundingBox& a = frameBoxes[current];
    const BoundingBox& b = frameBoxes[next];
    const Vector3 centre = Lerp(a.centre, b.centre, t);
    const Vector3 half = Lerp(a.halfSize, b.halfSize, t);
    box.Set(centre - half, centre + half);
    box.SetTransform(matrix);
}

void Model::UpdateSkeleton(std::uint32_t current, std::uint32_t next, float t)
{
    const std::uint32_t boneCount = skeleton_->GetBoneCount();
    const std::vector<ModelFile::BoneFrame>& boneFrames = frames_->boneFrames;
    const std::size_t frames = boneCount == 0 ? 0 : boneFrames.size() / boneCount;
    if (current < frames && next < frames) {
        for (std::uint32_t b = 0; b < boneCount; ++b) {
            const ModelFile::BoneFrame& from = boneFrames[static_cast<std::size_t>(current) * boneCount + b];
            const ModelFile::BoneFrame& to = boneFrames[static_cast<std::size_t>(next) * boneCount + b];
            Skeleton::Bone& bone = skeleton_->GetBone(b);
            bone.position = Lerp(from.position, to.position, t);
            bone.scale = Lerp(from.scale, to.scale, t);
            bone.rotation = QuaternionSlerp(from.rotation, to.rotation, t);
        }
    }
    skeleton_->Update();
    Vector3 low(kSkinnedBoxStart, kSkinnedBoxStart, kSkinnedBoxStart);
    Vector3 high(-kSkinnedBoxStart, -kSkinnedBoxStart, -kSkinnedBoxStart);
    std::uint32_t counted = 0;
    for (std::uint32_t b = 0; b < boneCount; ++b) {
        const Skeleton::Bone& bone = skeleton_->GetBone(b);
        if (bone.boundsExcluded != 0) {
            continue;
        }
        ++counted;
        low = Vector3(std::min(low.x, bone.box.worldMin.x), std::min(low.y, bone.box.worldMin.y),
                      std::min(low.z, bone.box.worldMin.z));
        high = Vector3(std::max(high.x, bone.box.worldMax.x), std::max(high.y, bone.box.worldMax.y),
                       std::max(high.z, bone.box.worldMax.z));
    }
    // Without a bone to count, the union would be a box turned inside out
    // that no frustum test can place; the file's box stands instead.
    if (counted > 0) {
        box.Set(low, high);
    }
    box.SetTransform(matrix);
}

void Model::RebuildVertices(std::uint32_t current, std::uint32_t next, float t)
{
    const std::uint32_t count = vertexBuffer_->GetVertexCount();
    if (count == 0) {
        return;
    }
    const std::uint16_t stride = vertexBuffer_->GetStride();
    auto* bytes = static_cast<std::uint8_t*>(vertexBuffer_->Lock(0, count));
    if (vertexKind_ == ModelFile::kKeyframeVertices) {
        const std::vector<ModelFile::Vertex>& keyframeVertices = frames_->keyframeVertices;
        const std::size_t frames = keyframeVertices.size() / count;
        if (current >= frames || next >= frames) {
            vertexBuffer_->Unlock();
            return;
        }
        const ModelFile::Vertex* a = keyframeVertices.data() + static_cast<std::size_t>(current) * count;
        const ModelFile::Vertex* b = keyframeVertices.data() + static_cast<std::size_t>(next) * count;
        const bool colored = vertexBuffer_->HasColor();
        for (std::uint32_t i = 0; i < count; ++i) {
            float* out = reinterpret_cast<float*>(bytes + static_cast<std::size_t>(i) * stride);
            const Vector3 position = Lerp(a[i].position, b[i].position, t);
            const Vector3 normal = Lerp(a[i].normal, b[i].normal, t);
            out[0] = position.x, out[1] = position.y, out[2] = position.z;
            out[3] = normal.x, out[4] = normal.y, out[5] = normal.z;
            float* uv = out + (colored ? 7 : 6);
            uv[0] = a[i].u * (1.0f - t) + b[i].u * t;
            uv[1] = a[i].v * (1.0f - t) + b[i].v * t;
        }
    } else if (vertexKind_ == ModelFile::kSkinnedVertices && skeleton_ != nullptr) {
        const std::uint32_t skinnedCount =
            std::min<std::uint32_t>(count, static_cast<std::uint32_t>(frames_->skinnedVertices.size()));
        for (std::uint32_t i = 0; i < skinnedCount; ++i) {
            const ModelFile::SkinnedVertex& skinned = frames_->skinnedVertices[i];
            Vector3 position;
            Vector3 normal;
            for (std::uint32_t j = 0; j < skinned.influenceCount; ++j) {
                const ModelFile::Influence& influence = skinned.influences[j];
                const Skeleton::Bone& bone = skeleton_->GetBone(influence.bone);
                position += bone.positionMatrix.TransformPoint(influence.position) * influence.weight;
                normal += bone.normalMatrix.TransformPoint(influence.normal) * influence.weight;
            }
            float* out = reinterpret_cast<float*>(bytes + static_cast<std::size_t>(i) * stride);
            out[0] = position.x, out[1] = position.y, out[2] = position.z;
            out[3] = normal.x, out[4] = normal.y, out[5] = normal.z;
        }
    }
    vertexBuffer_->Unlock();
    ++vertexRebuilds_;
}

void Model::UpdateVertexBox()
{
    // Walking every vertex each frame made big static meshes the cost of a
    // frame; the walk is done again only once the vertices were written.
    const bool locked = vertexBuffer_->IsLocked();
    if (locked || vertexBoxValid_ == 0 || vertexBoxRevision_ != vertexBuffer_->GetRevision()) {
        ComputeBoundingBox(box);
        vertexBoxMin_ = box.localMin;
        vertexBoxMax_ = box.localMax;
        // A buffer still locked may be written after this frame's walk.
        vertexBoxValid_ = locked ? 0 : 1;
        vertexBoxRevision_ = vertexBuffer_->GetRevision();
        ++vertexBoxes_;
    } else {
        box.Set(vertexBoxMin_, vertexBoxMax_);
    }
    box.SetTransform(matrix);
}

void Model::Update(bool cull)
{
    const bool animated = (flags_ & (kFlagKeyframe | kFlagSkinned)) != 0;
    if (animated) {
        animation_->Update();
    }
    if ((flags_ & kFlagVisible) == 0) {
        return;
    }
    const std::uint32_t current = animation_->currentFrame;
    const std::uint32_t next = animation_->nextFrame;
    const float t = animation_->blend;

    if ((flags_ & kFlagBoxFromVertices) != 0 && (flags_ & kFlagStatic) != 0) {
        UpdateVertexBox();
    } else if ((flags_ & kFlagKeyframe) != 0) {
        UpdateKeyframeBox(current, next, t);
    } else if ((flags_ & kFlagSkinned) != 0 && skeleton_ != nullptr) {
        UpdateSkeleton(current, next, t);
    } else {
        box.SetTransform(matrix);
    }

    primitiveCount_ = CountPrimitives();
    visiblePrimitives_ = primitiveCount_;
    if (cull && camera_ != nullptr) {
        bool inside;
        if (camera_->IsAttached()) {
            BoundingBox placed = box;
            placed.SetTransform(GetWorldMatrix());
            inside = camera_->GetFrustum().IsSphereInside(placed);
        } else {
            inside = camera_->GetFrustum().IsSphereInside(box);
        }
        if (!inside) {
            visiblePrimitives_ = 0;
            return;
        }
    }
    if ((flags_ & kFlagFixedDepth) == 0 && camera_ != nullptr) {
        depth = camera_->GetBackAxis().Dot(camera_->GetPosition() - box.centre);
    }

    if (!animated || animateVertices == 0) {
        return;
    }
    if (cacheValid_ != 0 && cachedCurrentFrame_ == current && cachedNextFrame_ == next &&
        std::fabs(cachedBlend_ - t) <= kBlendTolerance) {
        return;
    }
    RebuildVertices(current, next, t);
    cacheValid_ = 1;
    cachedCurrentFrame_ = current;
    cachedNextFrame_ = next;
    cachedBlend_ = t;
}

void Model::Render()
{
    RenderSystem* renderSystem = services_.renderSystem;
    if ((flags_ & kFlagVisible) == 0 || visiblePrimitives_ == 0) {
        return;
    }
    if (shaderUser_ != nullptr && shaderUser_->GetStageCount() > renderSystem->GetStageCount()) {
        return;
    }
    if ((flags_ & kFlagStencil) != 0 && !renderSystem->IsStencilInUse()) {
        return;
    }
    if (services_.cameraManager != nullptr && camera_ != nullptr) {
        services_.cameraManager->ApplyCamera(camera_, (flags_ & kFlagDepthBias) != 0);
    }
    const bool lit = (flags_ & kFlagLit) != 0;
    if (services_.lightManager != nullptr) {
        services_.lightManager->SetLighting(lit);
    } else {
        renderSystem->SetLighting(lit);
    }
    renderSystem->SetNormalizeNormals(lit);
    renderSystem->SetWorldMatrix(GetWorldMatrix());
    renderSystem->SetZ((flags_ & kFlagDepthTest) != 0);
    renderSystem->SetZWrite((flags_ & kFlagNoDepthWrite) == 0);
    renderSystem->SetStencil((flags_ & kFlagStencil) != 0);

    std::uint32_t passes[2];
    std::uint32_t passCount = 1;
    if ((flags_ & kFlagTwoPasses) != 0) {
        passes[0] = RenderSystem::kCullCounterClockwise;
        passes[1] = RenderSystem::kCullClockwise;
        passCount = 2;
    } else if ((flags_ & kFlagCullClockwise) != 0) {
        passes[0] = RenderSystem::kCullClockwise;
    } else if ((flags_ & kFlagCullCounterClockwise) != 0) {
        passes[0] = RenderSystem::kCullCounterClockwise;
    } else {
        passes[0] = RenderSystem::kCullNone;
    }
    for (std::uint32_t pass = 0; pass < passCount; ++pass) {
        renderSystem->SetCullMode(passes[pass]);
        if (shaderUser_ != nullptr) {
            shaderUser_->Apply();
        }
        renderSystem->DrawIndexedPrimitive(strip_ != 0, indexBuffer_.get(), vertexBuffer_.get(), primitiveCount_);
    }
}

bool Model::IntersectRay(const Vector3& origin, const Vector3& direction, float* distance) const
{
    Ray ray(origin, direction);
    if (camera_ != nullptr && camera_->IsAttached()) {
        BoundingBox placed = box;
        placed.SetTransform(GetWorldMatrix());
        if (!placed.IntersectsSegment(ray)) {
            return false;
        }
    } else if (!box.IntersectsSegment(ray)) {
        return false;
    }
    Matrix4 inverse = GetWorldMatrix();
    if (!inverse.Invert()) {
        return false;
    }
    Ray local = inverse.TransformRay(ray);
    local.direction = local.direction.Normalized();

    const std::uint32_t used = indexBuffer_->GetUsedCount();
    const std::uint32_t vertexCount = vertexBuffer_->GetVertexCount();
    const std::uint32_t triangles = CountPrimitives();
    bool hit = false;
    float nearest = 0.0f;
    for (std::uint32_t triangle = 0; triangle < triangles; ++triangle) {
        const std::uint32_t base = strip_ != 0 ? triangle : triangle * 3;
        if (base + 2 >= used) {
            break;
        }
        const std::uint32_t ia = indexBuffer_->GetIndex(base);
        const std::uint32_t ib = indexBuffer_->GetIndex(base + 1);
        const std::uint32_t ic = indexBuffer_->GetIndex(base + 2);
        if (ia >= vertexCount || ib >= vertexCount || ic >= vertexCount) {
            continue;
        }
        const Vector3 a = GetVertexPosition(ia);
        const Vector3 b = GetVertexPosition(ib);
        const Vector3 c = GetVertexPosition(ic);
        Plane plane;
        plane.SetFromPoints(a, b, c);
        if (std::fabs(plane.GetNormal().Dot(local.direction)) < kParallelTolerance) {
            continue;
        }
        float t = 0.0f;
        if (!plane.IntersectRay(local, t)) {
            continue;
        }
        const Vector3 point = local.origin + local.direction * t;
        if (!PointInTriangle(plane, a, b, c, point)) {
            continue;
        }
        if (distance == nullptr) {
            return true;
        }
        if (!hit || t < nearest) {
            nearest = t;
        }
        hit = true;
    }
    if (hit && distance != nullptr) {
        *distance = nearest;
    }
    return hit;
}

} // namespace OrrelayEngine

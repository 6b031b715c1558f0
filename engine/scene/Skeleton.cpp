#include "engine/scene/Skeleton.h"

namespace OrrelayEngine {

Skeleton::Skeleton(Model* owner, std::uint16_t boneCount)
    : owner_(owner), boneCount_(boneCount), bones_(new Bone[boneCount])
{}

Skeleton::Skeleton(const Skeleton& other)
    : owner_(other.owner_), boneCount_(other.boneCount_), bones_(new Bone[other.boneCount_])
{
    for (std::uint32_t i = 0; i < boneCount_; ++i) {
        bones_[i] = other.bones_[i];
    }
}

Skeleton::~Skeleton() = default;

void Skeleton::Update()
{
    for (std::uint32_t i = 0; i < boneCount_; ++i) {
        Bone& bone = bones_[i];
        MatrixSetTranslation(bone.pivotMatrix, bone.pivot);
        bone.rotation.ToMatrix(bone.normalMatrix);
        MatrixSetTranslation(bone.translationMatrix, bone.position);
        MatrixSetIdentity(bone.scaleMatrix);
        bone.scaleMatrix.m[0] = bone.scale.x;
        bone.scaleMatrix.m[5] = bone.scale.y;
        bone.scaleMatrix.m[10] = bone.scale.z;
        bone.positionMatrix = bone.translationMatrix * bone.normalMatrix * bone.scaleMatrix * bone.pivotMatrix;
        bone.box.SetTransform(bone.positionMatrix);
    }
}

} // namespace OrrelayEngine

// The bones of a skinned model: each bone's record from the model file, its
// pose of the current frame (written by the model) and the matrices built from
// that pose, which deform the model's vertices and move the bone's box.
//
// A bone's position matrix applies, in this order, the pivot offset, the
// pose's scale, its rotation and its translation; the normal matrix is the
// rotation alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/BoundingBox.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class Model;

class Skeleton
{
public:
    struct Bone
    {
        // 0: the bone's box counts for the model's box.
        std::uint8_t boundsExcluded = 0;
        std::string name;
        BoundingBox box;
        // Two bone numbers the file stores; nothing here uses them.
        std::uint16_t firstLink = 0;
        std::uint16_t secondLink = 0;
        Vector3 pivot;
        Quaternion rotation;
        Vector3 position;
        Vector3 scale;
        Matrix4 pivotMatrix;
        Matrix4 positionMatrix;
        Matrix4 normalMatrix;
        Matrix4 translationMatrix;
        Matrix4 scaleMatrix;
    };

    Skeleton(Model* owner, std::uint16_t boneCount);
    // A new array of bones, each a full copy of the source's.
    Skeleton(const Skeleton& other);
    Skeleton& operator=(const Skeleton&) = delete;
    virtual ~Skeleton();

    // index must be below GetBoneCount().
    Bone& GetBone(std::uint32_t index) { return bones_[index]; }
    const Bone& GetBone(std::uint32_t index) const { return bones_[index]; }
    std::uint16_t GetBoneCount() const { return boneCount_; }
    Model* GetOwner() const { return owner_; }

    // Rebuilds every bone's matrices from its pose and moves its box with them.
    void Update();

private:
    Model* owner_;
    std::uint16_t boneCount_;
    std::unique_ptr<Bone[]> bones_;
};

} // namespace OrrelayEngine

// The value that says how a surface is textured and blended: a flag word (bit 0
// alpha blending), a pair of blend factors, four colours and two scalars kept
// for their owners, and up to two texture stages. Descriptors are built in
// code or read from a shader file ("OESRF", version 211). Equal descriptors
// (IsEqual) name the same pictures and share the loaded textures; blending,
// grid layout, speeds, address modes and transforms belong to each user.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/Color.h"
#include "engine/render/ShaderStage.h"

namespace OrrelayEngine {

class FileBinary;
class FileManager;
class MessageManager;

class ShaderDescriptor
{
public:
    static constexpr std::uint32_t kFlagAlphaBlend = 1;
    static constexpr std::uint32_t kMaxStages = 2;
    static constexpr std::uint32_t kFileVersion = 211;

    // Marks an opacity name that means "the diffuse picture carries its alpha".
    static constexpr const char* kOpacityInDiffuseMarker = "32bit";

    explicit ShaderDescriptor(std::uint32_t flags = 0);
    ShaderDescriptor(const ShaderDescriptor& other);
    ShaderDescriptor& operator=(const ShaderDescriptor& other);
    virtual ~ShaderDescriptor();

    // Reads the shader file (a name without a drive is taken under "data\").
    // Every FileError is logged and thrown on as Error with the same text; a
    // third stage throws FatalError.
    void ConstructFromFile(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    // The reader over a file already open; fileName is the name the messages show
    // and the folder that relative picture names are taken from. Throws
    // FileError for a bad file and FatalError for a third stage; logs nothing.
    void ReadFromFile(FileBinary& file, const std::string& fileName);

    void ConstructForAnimatedTexture(bool mipMapped, std::uint32_t animationMode, std::uint32_t columns,
                                     std::uint32_t rows, std::uint32_t frameCount, float speed,
                                     const std::string& diffuseFileName, const std::string& opacityFileName,
                                     bool clamp);
    void ConstructForTexture(bool mipMapped, const std::string& diffuseFileName, const std::string& opacityFileName,
                             bool clamp);

    // Returns the new stage's index. Out-of-range animation values are clamped
    // here (see ShaderStage), so that no stage can stall or overrun an animation.
    std::uint32_t AddStage(std::uint32_t stageFlags, std::uint32_t animationMode, std::uint32_t columns,
                           std::uint32_t rows, std::uint32_t frameCount, float speed,
                           const std::string& diffuseFileName, const std::string& opacityFileName,
                           std::uint32_t addressMode);
    std::uint32_t AddTextureStage(std::uint32_t stageFlags, const std::string& diffuseFileName,
                                  const std::string& opacityFileName, std::uint32_t addressMode);

    // index 0 source, 1 destination; other indices are ignored.
    void SetBlendFactor(std::uint32_t index, std::uint32_t blendCode);
    void AddFlags(std::uint32_t bits);
    void SetColor1(const Color& color) { color1_ = color; }
    void SetColor2(const Color& color) { color2_ = color; }
    void SetColor3(const Color& color) { color3_ = color; }
    void SetColor4(const Color& color) { color4_ = color; }
    void SetScalar1(float value) { scalar1_ = value; }
    void SetScalar2(float value) { scalar2_ = value; }

    bool IsEqual(const ShaderDescriptor& other) const;

    std::uint32_t GetFlags() const { return flags_; }
    const Color& GetColor1() const { return color1_; }
    const Color& GetColor2() const { return color2_; }
    const Color& GetColor3() const { return color3_; }
    const Color& GetColor4() const { return color4_; }
    float GetScalar1() const { return scalar1_; }
    float GetScalar2() const { return scalar2_; }
    std::uint32_t GetBlendFactor(std::uint32_t index) const;
    std::uint32_t GetStageCount() const { return stageCount_; }
    // index must be below kMaxStages.
    const ShaderStage& GetStage(std::uint32_t index) const { return stages_[index]; }
    ShaderStage& GetStage(std::uint32_t index) { return stages_[index]; }
    std::uint32_t GetKey() const { return key_; }

private:
    void ResetToDefaults(std::uint32_t flags);
    // The defaults of a one-texture descriptor: blending with source alpha
    // exactly when an opacity name is given.
    void ResetForTexture(const std::string& opacityFileName);
    void ComputeKey();

    std::uint32_t flags_ = 0;
    Color color1_;
    Color color2_;
    Color color3_;
    Color color4_;
    float scalar1_ = 0.0f;
    float scalar2_ = 0.0f;
    std::uint32_t blendFactors_[2] = {0, 0};
    std::uint32_t stageCount_ = 0;
    ShaderStage stages_[kMaxStages];
    std::uint32_t key_ = 0;
};

// The program-wide mip-map choice of MakeTextureShaderDescriptor; off at start.
void SetTextureMipMapping(bool mipMapped);

// A texture of columns x rows frames (a grid animation at speed 0 when there is
// more than one); any opacity name turns on alpha blending, and one containing
// "32bit" means the diffuse picture carries the alpha.
ShaderDescriptor MakeTextureShaderDescriptor(std::uint32_t columns, std::uint32_t rows,
                                             const std::string& diffuseFileName, const std::string& opacityFileName,
                                             bool clamp);
ShaderDescriptor MakeSingleTextureShaderDescriptor(const std::string& diffuseFileName,
                                                   const std::string& opacityFileName, bool clamp);

} // namespace OrrelayEngine

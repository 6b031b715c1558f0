#include "game/Profile.h"

#include "framework/BinaryFields.h"

namespace Tansywell {

Profile::Profile(OrrelayEngine::Engine* engine, const std::string& fileName, const std::string& folder)
    : ProfileBase(engine, fileName, folder, kMagic, kVersion)
{
    Load(fileName);
}

Profile::Profile(OrrelayEngine::Engine* engine, const std::wstring& name, const std::string& folder)
    : ProfileBase(engine, name, folder, kMagic, kVersion)
{
    Create(name);
}

Profile::~Profile() = default;

void Profile::Create(const std::wstring& name)
{
    // Relax mode off; every offer and tutorial topic still to come.
    flags_[kFlagRelaxMode] = 0;
    for (std::uint32_t flag = kFlagRelaxOfferPending; flag < kFlagCount; ++flag)
        flags_[flag] = 1;
    ProfileBase::Create(name);
}

void Profile::Write(OrrelayEngine::FileBinary& file)
{
    ProfileBase::Write(file);
    for (std::uint8_t flag : flags_)
        GameFramework::WriteUInt8(file, flag);
}

void Profile::Read(OrrelayEngine::FileBinary& file)
{
    ProfileBase::Read(file);
    for (std::uint8_t& flag : flags_)
        flag = GameFramework::ReadUInt8(file);
}

} // namespace Tansywell

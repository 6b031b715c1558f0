// A player profile of this game: the framework's profile with the game's
// magic and version and twelve flags behind the base body (relax mode, the
// offers still pending and the tutorial topics not yet taught).
#pragma once

#include <cstdint>
#include <string>

#include "framework/ProfileBase.h"

namespace Tansywell {

class Profile : public GameFramework::ProfileBase
{
public:
    static constexpr char kMagic[] = "TWPRF";
    static constexpr std::uint32_t kVersion = 104;

    enum Flag : std::uint32_t
    {
        kFlagRelaxMode = 0,
        kFlagRelaxOfferPending = 1,
        kFlagIntroductionPending = 2,
        kFlagGameCompleteCharacterPending = 3,
        kFlagTutorialSwap = 4,
        kFlagTutorialDoubleMana = 5,
        kFlagTutorialClosedCell = 6,
        kFlagTutorialBlockedItem = 7,
        kFlagTutorialBonus0 = 8,
        kFlagTutorialBonus1 = 9,
        kFlagTutorialBonus2 = 10,
        kFlagTutorialCamera = 11,
        kFlagCount = 12
    };

    // Loads the profile from "profiles\<file name>" in the folder; a file that
    // cannot be read throws Error, as the base's Load does.
    Profile(OrrelayEngine::Engine* engine, const std::string& fileName, const std::string& folder);
    // Creates and saves a new profile.
    Profile(OrrelayEngine::Engine* engine, const std::wstring& name, const std::string& folder);
    ~Profile() override;

    void Create(const std::wstring& name) override;
    void Write(OrrelayEngine::FileBinary& file) override;
    void Read(OrrelayEngine::FileBinary& file) override;

    bool GetFlag(std::uint32_t flag) const { return flag < kFlagCount && flags_[flag] != 0; }
    void SetFlag(std::uint32_t flag, bool value)
    {
        if (flag < kFlagCount)
            flags_[flag] = value ? 1 : 0;
    }

private:
    std::uint8_t flags_[kFlagCount] = {};
};

} // namespace Tansywell

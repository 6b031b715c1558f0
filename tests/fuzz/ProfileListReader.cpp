// Reads arbitrary bytes as the profile list beside one real profile, which
// replaces a damaged list and writes the list back.
#include <cstddef>
#include <cstdint>

#include "engine/core/Random.h"
#include "tests/framework/TestProfiles.h"
#include "tests/fuzz/FuzzUserFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::FuzzUserFolder& folder = FuzzTargets::FuzzUserFolder::Get();
    folder.Reset();
    OrrelayEngine::SetRandomSeed(1);
    {
        FrameworkTests::TestProfile profile(&folder.Log(), &folder.Files(), folder.UserFolder());
        profile.Create(L"Mary Ann");
    }
    folder.Place("profiles.pmf", data, size);
    FrameworkTests::TestProfileManager manager(&folder.Log(), &folder.Files(), nullptr, folder.UserFolder());
    manager.Load();
    manager.Save();
    return 0;
}

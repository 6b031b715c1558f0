// Reads arbitrary bytes as a player profile, then saves it again.
#include <cstddef>
#include <cstdint>

#include "engine/core/Error.h"
#include "tests/framework/TestProfiles.h"
#include "tests/fuzz/FuzzUserFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::FuzzUserFolder& folder = FuzzTargets::FuzzUserFolder::Get();
    folder.Reset();
    folder.Place("profiles/fuzz.prf", data, size);
    FrameworkTests::TestProfile profile(&folder.Log(), &folder.Files(), folder.UserFolder());
    try {
        profile.Load("fuzz.prf");
    } catch (const OrrelayEngine::Error&) {
        return 0;
    }
    profile.AddLevelResult({0, 0, 0, 1.0f});
    return 0;
}

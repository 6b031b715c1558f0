// The volumes a player chose, each 0.0 to 1.0.
#pragma once

namespace GameFramework {

struct ProfileSettings
{
    float soundVolume = 1.0f;
    float musicVolume = 1.0f;
};

} // namespace GameFramework

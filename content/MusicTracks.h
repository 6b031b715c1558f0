// The game's three music tracks as data-set recipes: each composed by
// MusicComposer from a seed taken from its pack path, played by MusicSynth and
// encoded by OggWriter as 22050 Hz stereo under "data\audio\music\".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/MusicComposer.h"

namespace Content {

class DataSetBuilder;

class MusicTracks
{
public:
    struct Track
    {
        const char* name;
        MusicStyle style;
    };

    static std::vector<Track> GetTracks();
    static std::string GetPackPath(const std::string& name);
    static MusicScore Compose(const Track& track);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

// The scenery around the board, one set per stage's environment ("meadow",
// "lake", "forest", "cave"): a wide ground under the board, of the place's own
// kind (a lawn with clover and daisies, open water with lily pads, leaf litter
// and moss, flagstones of rock), swaying plants and still stones or mushrooms
// in a band along the board's left and front edges, where no board reaches
// (boards start at cell (0, 0) and grow toward +x and +y). The campaign
// writes each environment's "environment.ini" from GetEnvironmentIni, so that
// its list and these models agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class EnvironmentArt
{
public:
    struct Model
    {
        std::string name;
        // Lit by the board's lights (else drawn as is), drawn back to front,
        // started at a random animation phase.
        bool lit;
        bool sorted;
        bool randomPhase;
    };

    static const std::vector<std::string>& GetEnvironmentNames();
    // Throws OrrelayEngine::Error for a name not in the list.
    static std::vector<Model> GetModels(const std::string& environment);
    // The text of "data\environments\<environment>\environment.ini": the
    // count, then per model its name and its three flags as 0 or 1.
    static std::string GetEnvironmentIni(const std::string& environment);
    static std::vector<std::string> GetPaths(const std::string& environment);
    static std::vector<std::vector<std::uint8_t>> Make(const std::string& environment);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

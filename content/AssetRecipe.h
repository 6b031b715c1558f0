// One recipe of the game's data set: the pack paths it makes, the files and the
// parameter text its bytes depend on, and the function that makes them. The
// builder keys the recipe's cached outputs by those inputs, so a recipe must
// make the same bytes from the same inputs: no clocks, no unseeded randomness.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Content {

struct AssetRecipe
{
    using Outputs = std::vector<std::vector<std::uint8_t>>;

    // Where the recipe comes from (a source file, or the generator and its
    // asset), named in every error about it.
    std::string origin;
    // Pack paths ("data\audio\menu\upgrade.wav"), one per output, in the order
    // the function returns them.
    std::vector<std::string> packPaths;
    // Native paths whose bytes the outputs depend on.
    std::vector<std::string> inputFiles;
    // Everything else the outputs depend on, as text (settings, a version of
    // the generator's recipe).
    std::string parameters;
    // Runs on a worker thread, alongside other recipes: it must share nothing
    // writable (each call makes its own FreeType library, say). Throws
    // OrrelayEngine::Error on bad input.
    std::function<Outputs()> make;

    // Moves more's outputs in after those already made.
    static void Append(Outputs& outputs, Outputs more)
    {
        for (std::vector<std::uint8_t>& bytes : more)
            outputs.push_back(std::move(bytes));
    }
};

} // namespace Content

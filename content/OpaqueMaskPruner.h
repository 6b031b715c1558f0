// Leaves out of the pack the opacity pictures that change nothing: a JPEG mask
// whose every pixel is 255 (the texture loader's alpha) over a JPEG colour
// picture, which has no alpha of its own. The shader stages naming it lose the
// opacity name, so the loader makes the texture without one (opaque, without a
// word in the log) and the shader's blending stays as it was.
//
// A mask stays when anything else could open it: another entry naming its file
// (a font list, a layout, a particle file), a shader stage the pruner cannot
// rewrite (animated opacity, a colour picture that is not a JPEG, a damaged
// file) or a name the caller keeps (what the game's code opens by name).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Content {

class OpaqueMaskPruner
{
public:
    // Lower-case pack path to the entry's bytes.
    using Entries = std::map<std::string, std::vector<std::uint8_t>>;

    // Rewrites the shader files and erases the masks in entries; returns the
    // masks left out, in name order.
    static std::vector<std::string> Prune(Entries& entries, const std::function<bool(const std::string&)>& keep);

    // Whether the JPEG decodes and every pixel's first channel is 255.
    static bool IsWhollyOpaque(const std::string& packPath, const std::vector<std::uint8_t>& bytes);
};

} // namespace Content

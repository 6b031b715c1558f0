// The engine's own configuration values, stored inside Config and registered
// there as variables. The render system, the input and the screen capture keep
// a pointer to this block and read (and some write) the fields directly.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {

struct ConfigValues
{
    std::string videoMode;              // v_mode
    std::uint8_t fullscreen = 0;        // v_fullscreen
    std::uint8_t vsync = 0;             // v_vsync
    float brightness = 0.0f;            // v_brightness
    float contrast = 0.0f;              // v_contrast
    float gamma = 0.0f;                 // v_gamma
    std::uint8_t useMipMapping = 0;     // r_use_mip_mapping
    std::uint8_t showOctreeNodes = 0;   // r_show_octree_nodes
    std::uint8_t showFacesEdges = 0;    // r_show_faces_edges
    std::uint8_t showFacesNormals = 0;  // r_show_faces_normals
    std::uint8_t showMipMaps = 0;       // r_show_mip_maps
    std::int32_t textureAnisotropy = 0; // r_texture_anisotropy
    std::uint8_t invertMouse = 0;       // c_invert_mouse
    std::int32_t screenshotFormat = 0;  // sc_take_screenshot_format
};

} // namespace OrrelayEngine

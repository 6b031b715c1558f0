// The menus' particle systems under "data\ui\menus\particles\", in menu units
// (800 x 600, no gravity, no floor): the pointer's sparkle trail
// ("cursor_train"), its one burst at a click ("cursor_click") and the
// celebration over a place the upgrade scene brings in ("upgrade"). They share
// one twinkle picture, blended over the scene rather than added to it, so that
// they show on light parchment as well as on the sky.
#pragma once

namespace Content {

class DataSetBuilder;

class MenuParticles
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

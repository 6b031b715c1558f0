// The recipes of the menu controls under "ui\menus\models\controls\": the
// main-menu, big and small button families (look with its four state pictures,
// hit area and caption area), the four arrow buttons, the check box with its
// eight pictures, and both scroll bars (track, knob, the knob's first and last
// places and the places of their arrow buttons). Looks are authored around the
// screen's centre, a scroll bar's models from its track's lower-left corner;
// the screens' layout models carry them to their places.
#pragma once

namespace Content {

class DataSetBuilder;

class MenuControlArt
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

// The recipes of the options and profile-list screens' layouts: where their
// sliders, check box, resolution field and arrows, list, scroll bar and
// buttons stand in the big window, with the two looks of their own (the
// resolution field and the list's panel), dark under the white texts.
#pragma once

namespace Content {

class DataSetBuilder;

class MenuLayoutArt
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

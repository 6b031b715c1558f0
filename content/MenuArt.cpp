#include "content/MenuArt.h"

#include "content/BackgroundArt.h"
#include "content/IntroArt.h"
#include "content/TitleArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    BackgroundArt::AddRecipes(builder);
    IntroArt::AddRecipes(builder);
    TitleArt::AddRecipes(builder);
}

} // namespace Content

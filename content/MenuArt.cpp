#include "content/MenuArt.h"

#include "content/MenuFrameArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    MenuFrameArt::AddRecipes(builder);
}

} // namespace Content

#include "content/MenuArt.h"

namespace Content {

void MenuArt::AddRecipes(DataSetBuilder& builder)
{
    static_cast<void>(builder);
}

} // namespace Content

#include "content/GameArt.h"

#include "content/CellArt.h"
#include "content/CharacterArt.h"
#include "content/EnvironmentArt.h"
#include "content/GameParticles.h"
#include "content/GameSounds.h"
#include "content/ItemArt.h"

namespace Content {

void GameArt::AddRecipes(DataSetBuilder& builder)
{
    ItemArt::AddRecipes(builder);
    CellArt::AddRecipes(builder);
    CharacterArt::AddRecipes(builder);
    EnvironmentArt::AddRecipes(builder);
    GameParticles::AddRecipes(builder);
    GameSounds::AddRecipes(builder);
}

} // namespace Content

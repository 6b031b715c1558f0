// The recipes of the game's data set: every file under the source folder's
// data/ (text tables checked and rewritten, other files copied), the
// campaign, the menu sound effects and the music; and what the data set must
// hold, from the source folder's required_assets.txt.
#pragma once

#include <string>

namespace Content {

class DataSetBuilder;

class GameDataSet
{
public:
    // sourceFolder is the content folder (holding data/ and
    // required_assets.txt). Throws OrrelayEngine::Error when the sources cannot
    // be listed, a key is given twice in one language, the list of required
    // assets cannot be read, or two recipes make one name.
    static void AddRecipes(DataSetBuilder& builder, const std::string& sourceFolder);
};

} // namespace Content

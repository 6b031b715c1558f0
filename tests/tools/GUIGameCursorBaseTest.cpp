#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "tests/tools/ToolsTestEngine.h"
#include "tools/GUIGameCursorBase.h"

namespace {

using GameTools::GUIGameCursorBase;

TEST(GUIGameCursorBase, SwitchingTheCursorKindWhileHiddenShowsNothing)
{
    ToolsTests::ToolsTestEngine tools;
    OrrelayEngine::Config* config = tools.engine->GetConfig();
    OrrelayEngine::Controls* controls = tools.engine->GetControls();
    GUIGameCursorBase cursor(tools.engine);
    OrrelayEngine::GUICursor* drawn = tools.engine->GetGUIManager()->CreateCursorFromModel(nullptr);
    cursor.AddCursor(0, 1, drawn);
    cursor.SetCursor(0);
    // The frame after registration takes the variable's first snapshot.
    config->Update();
    config->ClearChanged();
    ASSERT_TRUE(cursor.IsCustomCursorInUse());
    ASSERT_FALSE(cursor.IsVisible());

    // Each step: the value set, whether the cursor is to show after it, then
    // the kind in use and what shows.
    const struct
    {
        const char* what;
        const char* value;
        bool show;
        bool custom;
        bool drawnShows;
        bool systemShows;
    } steps[] = {
        {"to the system cursor while hidden", "0", false, false, false, false},
        {"shown as the system cursor", "0", true, false, false, true},
        {"to the drawn cursor while shown", "1", true, true, true, false},
        {"hidden again", "1", false, true, false, false},
        {"to the system cursor while hidden again", "0", false, false, false, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        config->SetValue(GUIGameCursorBase::kCustomCursorVariable, step.value);
        config->Update();
        if (step.show != cursor.IsVisible())
            cursor.SetVisible(step.show);
        EXPECT_EQ(step.show, cursor.Update());
        config->ClearChanged();
        EXPECT_EQ(step.custom, cursor.IsCustomCursorInUse());
        EXPECT_EQ(step.drawnShows, drawn->IsVisible());
        EXPECT_EQ(step.systemShows, controls->IsCursorVisible());
    }
}

} // namespace

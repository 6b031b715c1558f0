#include "game/gui/GUIBackgroundWindow.h"

#include <gtest/gtest.h>

#include "engine/core/FileError.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "tests/game/gui/MenuHarness.h"

namespace {

using MenuTests::MakeQuad;
using Tansywell::GUIBackgroundWindow;

constexpr float kFrameSeconds = 1.0f / 60.0f;

float AlphaOf(const OrrelayEngine::GUIWindow* window)
{
    OrrelayEngine::Color colour;
    window->GetColor(colour);
    return colour.a;
}

class GUIBackgroundWindowTest : public testing::Test
{
protected:
    // A place model that shows once the player has reached one map place.
    void AddPlace()
    {
        h.t.data.backgroundModels.push_back(h.Template("place", MakeQuad(300, 100, 500, 200)));
        h.t.data.backgroundPositions.push_back(2);
        h.t.data.backgroundValues.push_back(1);
    }
    void AddUpgradeParticles()
    {
        h.t.data.upgrade = h.t.engine->GetParticleSystemManager()->CreateSelfMade(nullptr);
        h.t.data.upgrade->settings.emissionRate[0] = 50.0f;
    }
    void StepSeconds(float seconds) { h.Steps(static_cast<int>(seconds / kFrameSeconds + 0.5f)); }
    // Through the introduction and the scene's first fade-in.
    void OpenMenus()
    {
        h.StartBackground();
        h.RunIntroduction();
        StepSeconds(1.0f);
    }

    // Two upgrade scenes with a place appearance each; the appearance sounds heard.
    int RunAppearanceTwice()
    {
        OpenMenus();
        for (int round = 1; round <= 2; ++round) {
            h.manager->ShowUpgradeScene();
            h.manager->StartPlaceAppearance();
            h.StepUntil([&] { return h.Plays(GUIBackgroundWindow::kPlaceAppearanceSoundId) == round; }, 600);
            sparkling_ = h.background->GetUpgradeParticles()->emitting != 0;
            StepSeconds(1.0f);
        }
        return h.Plays(GUIBackgroundWindow::kPlaceAppearanceSoundId);
    }

    MenuTests::MenuHarness h;
    // Whether the particles emitted when the sound came.
    bool sparkling_ = false;
};

TEST_F(GUIBackgroundWindowTest, IntroductionRunsThroughItsStatesToReadyWithAndWithoutTitles)
{
    for (int titles : {0, 2}) {
        SCOPED_TRACE(titles);
        h.WriteText("data/ui/menus/models/background/title_en.ini", std::to_string(titles) + "\n");
        h.StartBackground();
        ASSERT_EQ(h.background->GetTitleWindows().size(), static_cast<std::size_t>(titles));
        h.Steps(5);
        EXPECT_EQ(h.background->GetState(), GUIBackgroundWindow::kStateIntro) << "nothing before the start";

        h.background->started = true;
        std::vector<std::uint32_t> states{h.background->GetState()};
        for (int i = 0; i < 2000 && !h.background->IsWaitingForMenus(); ++i) {
            if (h.background->IsWaitingForLoad()) {
                h.background->SetResourceSet(&h.t.data);
            }
            h.Step();
            if (h.background->GetState() != states.back()) {
                states.push_back(h.background->GetState());
            }
        }
        EXPECT_EQ(states, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
        EXPECT_TRUE(h.background->AreTitlesComplete());
        for (const OrrelayEngine::GUIWindow* title : h.background->GetTitleWindows()) {
            EXPECT_FLOAT_EQ(AlphaOf(title), 1.0f);
        }
        h.manager.reset();
        h.background.reset();
    }
}

TEST_F(GUIBackgroundWindowTest, TransitionIsDoneHalfASecondAfterShowingOrSuspending)
{
    OpenMenus();
    ASSERT_TRUE(h.manager->IsTransitionDone());
    const struct
    {
        const char* what;
        void (GUIBackgroundWindow::*start)();
    } cases[] = {{"suspend", &GUIBackgroundWindow::Suspend}, {"show", &GUIBackgroundWindow::ShowBackground}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        (h.background.get()->*c.start)();
        StepSeconds(0.45f);
        EXPECT_FALSE(h.manager->IsTransitionDone());
        StepSeconds(0.1f);
        EXPECT_TRUE(h.manager->IsTransitionDone());
    }
}

TEST_F(GUIBackgroundWindowTest, APlaceFadesInAndOutAtTwoPerSecondAsTheProfileReachesIt)
{
    h.SetReached(1, 0);
    AddPlace();
    OpenMenus();
    ASSERT_EQ(h.background->GetReachedPlaces(), 1);
    ASSERT_EQ(h.background->GetPlaceWindows().size(), 1u);
    const OrrelayEngine::GUIWindow* place = h.background->GetPlaceWindows()[0];
    ASSERT_FLOAT_EQ(AlphaOf(place), 1.0f);

    h.SetReached(0, 0, L"Bea");
    h.manager->UpdateReachedPlaces();
    ASSERT_EQ(h.background->GetReachedPlaces(), 0);
    StepSeconds(0.25f);
    EXPECT_NEAR(AlphaOf(place), 0.5f, 0.04f);
    StepSeconds(0.3f);
    EXPECT_FALSE(place->IsVisible());

    h.SetReached(1, 0, L"Ann");
    h.manager->UpdateReachedPlaces();
    StepSeconds(0.25f);
    EXPECT_TRUE(place->IsVisible());
    EXPECT_NEAR(AlphaOf(place), 0.5f, 0.04f);
}

TEST_F(GUIBackgroundWindowTest, PlaceAppearanceSoundsOnceEachTimeAndSparklesOverThePlace)
{
    h.SetReached(1, 0);
    AddPlace();
    AddUpgradeParticles();
    EXPECT_EQ(RunAppearanceTwice(), 2);
    const OrrelayEngine::ParticleSystem* sparkles = h.background->GetUpgradeParticles();
    EXPECT_TRUE(sparkling_);
    EXPECT_FLOAT_EQ(sparkles->emitterBox.localMin.x, 300.0f);
    EXPECT_FLOAT_EQ(sparkles->emitterBox.localMax.y, 200.0f);
}

TEST_F(GUIBackgroundWindowTest, PlaceAppearanceWithoutAPlaceSoundsButDoesNotSparkle)
{
    AddUpgradeParticles();
    EXPECT_EQ(RunAppearanceTwice(), 2);
    EXPECT_FALSE(sparkling_);
}

TEST_F(GUIBackgroundWindowTest, SettingsFileFaultsAreFormatErrors)
{
    const std::string incorrect = "Incorrect \"data\\ui\\menus\\background\\background.ini\" file format";
    const struct
    {
        const char* contents;
        std::string message;
    } cases[] = {
        {"1\nsky 0 0\n", "Background have no thematic models"},
        {"-1\n", incorrect},
        {"3\nsky 1 0\nmeadow 0 0\n", incorrect},
        {"2\nsky 1 0\nmeadow 0\n", incorrect},
        {"", incorrect},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents);
        h.WriteText("data/ui/menus/background/background.ini", c.contents);
        try {
            h.StartBackground();
            ADD_FAILURE() << "no error";
        } catch (const OrrelayEngine::FileError& error) {
            EXPECT_EQ(error.GetMessage(), c.message);
        }
    }
}

TEST_F(GUIBackgroundWindowTest, TitleCountIsCapped)
{
    h.WriteText("data/ui/menus/models/background/title_en.ini", "100000\n");
    h.StartBackground();
    EXPECT_EQ(h.background->GetTitleWindows().size(), static_cast<std::size_t>(GUIBackgroundWindow::kMaxTitleCount));
}

} // namespace

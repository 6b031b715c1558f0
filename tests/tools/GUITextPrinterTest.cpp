#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "tests/tools/ToolsTestEngine.h"
#include "tools/GUITextPrinter.h"

namespace {

using GameTools::GUITextPrinter;

constexpr std::uint64_t kTenthOfASecond = 100000;

class GUITextPrinterTest : public ::testing::Test
{
protected:
    GUITextPrinterTest()
        : window_(tools_.engine->GetGUIManager()->CreateWindowFromModel(
              OrrelayEngine::GUIWindow::kFlagShown, {0.0f, 0.0f}, {400.0f, 100.0f}, nullptr, nullptr)),
          printer_(tools_.engine, window_, 0, 10.0f, 0, {0.0f, 0.0f}, OrrelayEngine::Color(1, 1, 1, 1))
    {}

    // One 0.1-second frame; answers the number of characters printed.
    std::size_t Step()
    {
        tools_.Frame(kTenthOfASecond);
        printer_.Update();
        return static_cast<std::size_t>(printer_.GetPrintedCount());
    }

    ToolsTests::ToolsTestEngine tools_;
    OrrelayEngine::GUIWindow* window_;
    GUITextPrinter printer_;
};

TEST_F(GUITextPrinterTest, FiveCharactersAtTenPerSecondAreDoneAfterHalfASecond)
{
    printer_.SetText(L"Hello");
    EXPECT_FALSE(printer_.IsDone());
    for (std::size_t frame = 1; frame <= 5; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(frame, Step());
        EXPECT_EQ(frame == 5, printer_.IsDone());
    }
}

TEST_F(GUITextPrinterTest, ANewTextErasesTheOldFromItsEndFirst)
{
    printer_.SetText(L"Hello");
    for (int frame = 0; frame < 5; ++frame)
        Step();
    printer_.SetText(L"Hi");
    EXPECT_FALSE(printer_.IsDone());
    std::size_t previous = 5;
    int erasingFrames = 0;
    while (printer_.GetShownText() == L"Hello") {
        ASSERT_LT(erasingFrames++, 7) << "erasing never ends";
        const std::size_t shown = Step();
        EXPECT_LT(shown, previous);
        previous = shown;
    }
    EXPECT_GE(erasingFrames, 5) << "five characters take five frames to erase";
    EXPECT_EQ(1u, Step());
    EXPECT_EQ(2u, Step());
    EXPECT_TRUE(printer_.IsDone());
}

TEST_F(GUITextPrinterTest, SettingTheShownTextAgainKeepsItDone)
{
    printer_.SetText(L"Hello");
    for (int frame = 0; frame < 5; ++frame)
        Step();
    ASSERT_TRUE(printer_.IsDone());
    printer_.SetText(L"Hello");
    EXPECT_TRUE(printer_.IsDone());
    Step();
    EXPECT_TRUE(printer_.IsDone());
    EXPECT_EQ(5u, static_cast<std::size_t>(printer_.GetPrintedCount()));
    printer_.SetText(L"Hellp");
    EXPECT_FALSE(printer_.IsDone());
}

} // namespace

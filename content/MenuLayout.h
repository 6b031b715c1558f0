// Where the menu screens' frames and controls stand, in GUI coordinates (x
// right, y up, 800 x 600): one table for the frame, control and layout
// recipes and for the tests that hold the screens to it. The screens print
// their lines at fixed heights over the frame's text area, which runs from
// the screen's left edge and from its bottom; the frames are cut around those
// lines, and the buttons stand beside or below them; the big window's area
// is narrowed to the room left of its buttons.
#pragma once

#include "content/LayoutBox.h"

namespace Content {

class MenuLayout
{
public:
    using Box = LayoutBox;

    // Box of the given size centred on (x, y).
    static constexpr Box Centred(float x, float y, float width, float height)
    {
        return Box{x - width * 0.5f, y - height * 0.5f, width, height};
    }

    // Control looks are authored around the screen's centre; the layout
    // models carry them to their places.
    static constexpr float kLookX = 400.0f;
    static constexpr float kLookY = 300.0f;

    // The frames' panels (their carved rims included).
    static constexpr Box kMainMenuFrame{228.0f, 20.0f, 344.0f, 432.0f};
    static constexpr Box kBigFrame{20.0f, 0.0f, 760.0f, 396.0f};
    static constexpr Box kSmallFrame{156.0f, 22.0f, 488.0f, 186.0f};
    static constexpr Box kStartGameFrame{56.0f, 22.0f, 688.0f, 440.0f};
    static constexpr float kFrameRim = 14.0f;
    static constexpr float kMainMenuFrameRim = 18.0f;

    // Button families: the look's size, its hit and its caption rectangles.
    static constexpr float kMainMenuButtonWidth = 280.0f;
    static constexpr float kMainMenuButtonHeight = 46.0f;
    static constexpr float kMainMenuSelectionWidth = 272.0f;
    static constexpr float kMainMenuSelectionHeight = 40.0f;
    static constexpr float kMainMenuTextWidth = 256.0f;
    static constexpr float kMainMenuTextHeight = 30.0f;
    static constexpr float kBigButtonWidth = 164.0f;
    static constexpr float kBigButtonHeight = 46.0f;
    static constexpr float kBigSelectionWidth = 156.0f;
    static constexpr float kBigSelectionHeight = 40.0f;
    static constexpr float kBigTextWidth = 144.0f;
    static constexpr float kBigTextHeight = 28.0f;
    static constexpr float kSmallButtonWidth = 132.0f;
    static constexpr float kSmallButtonHeight = 40.0f;
    static constexpr float kSmallSelectionWidth = 126.0f;
    static constexpr float kSmallSelectionHeight = 36.0f;
    static constexpr float kSmallTextWidth = 116.0f;
    static constexpr float kSmallTextHeight = 26.0f;
    static constexpr float kArrowSide = 26.0f;
    static constexpr float kCheckBoxSide = 28.0f;

    // Scroll bars: the track, the knob, and the gap between track and arrow.
    static constexpr float kTrackLength = 200.0f;
    static constexpr float kTrackThickness = 16.0f;
    static constexpr float kListTrackLength = 150.0f;
    static constexpr float kKnobLength = 20.0f;
    static constexpr float kKnobThickness = 26.0f;
    static constexpr float kArrowGap = 6.0f;

    // Button layouts: main menu button_0 (exit, lowest) to button_6 (start).
    static constexpr float kMainMenuButtonX = 400.0f;
    static constexpr float kMainMenuLowestButtonY = 76.0f;
    static constexpr float kMainMenuButtonStep = 54.0f;
    static constexpr int kMainMenuButtonCount = 7;
    // Big window: a column right of the screens' lines, button_0 lowest.
    static constexpr float kBigButtonX = 674.0f;
    static constexpr float kBigButtonY[3] = {62.0f, 166.0f, 234.0f};
    // The big window's lines are centred on the screen and stay clear of
    // that column: its text area is as wide on either side of the centre.
    static constexpr float kBigTextGap = 10.0f;
    static constexpr float kBigTextRight = kBigButtonX - kBigButtonWidth * 0.5f - kBigTextGap;
    static constexpr Box kBigTextArea{800.0f - kBigTextRight, 0.0f, 2.0f * kBigTextRight - 800.0f, kBigFrame.Top()};
    // Small window: side by side below the lines, the confirming one left.
    static constexpr float kSmallButtonX[2] = {306.0f, 494.0f};
    static constexpr float kSmallButtonY = 68.0f;
    static constexpr Box kEdit{224.0f, 110.0f, 352.0f, 36.0f};
    // Start game: back left, start right, below the map.
    static constexpr float kStartButtonX[2] = {170.0f, 630.0f};
    static constexpr float kStartButtonY = 60.0f;

    // Options.
    static constexpr float kOptionsSliderX = 400.0f;
    static constexpr float kMusicSliderY = 225.0f;
    static constexpr float kSoundSliderY = 174.0f;
    static constexpr Box kResolutionField{315.0f, 104.0f, 170.0f, 32.0f};
    static constexpr Box kResolutionTextArea{320.0f, 107.0f, 160.0f, 26.0f};
    static constexpr float kResolutionArrowX[2] = {289.0f, 511.0f};
    // Left of the "full screen" line, which the screen prints 89 right of
    // the text area's left edge, at y 86.
    static constexpr float kFullscreenX = kBigTextArea.left + 68.0f;
    static constexpr float kFullscreenY = 92.0f;

    // Profiles: the list (rows centred across it, from 21 to 173 above its
    // bottom), its scroll bar, and the four buttons in a column.
    static constexpr Box kProfileList{170.0f, 56.0f, 240.0f, 196.0f};
    static constexpr float kProfileScrollX = 430.0f;
    static constexpr float kProfileButtonX = 566.0f;
    static constexpr float kProfileButtonY[4] = {224.0f, 174.0f, 124.0f, 56.0f};
};

} // namespace Content

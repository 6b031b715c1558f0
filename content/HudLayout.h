// Where the head-up display, the in-game menu's controls and the level-complete
// screen's parts stand, in GUI coordinates (x right, y up, 800 x 600): one
// table for the HUD and result recipes and for the tests that hold the screens
// to it. The board fills the middle of the screen from top to bottom (its
// widest boards reach about 330 units from the centre), so the HUD keeps to
// the two side strips and the corners, its buttons to the corners.
#pragma once

#include "content/LayoutBox.h"

namespace Content {

class HudLayout
{
public:
    using Box = LayoutBox;

    static constexpr Box Centred(float x, float y, float width, float height)
    {
        return Box{x - width * 0.5f, y - height * 0.5f, width, height};
    }

    // The HUD's frame: a strip down each side widening into both upper
    // corners, and a foot in the lower right corner for the view button.
    static constexpr Box kLeftStrip{0.0f, 0.0f, 72.0f, 600.0f};
    static constexpr Box kLeftCorner{0.0f, 476.0f, 148.0f, 124.0f};
    static constexpr Box kRightStrip{728.0f, 0.0f, 72.0f, 600.0f};
    static constexpr Box kRightCorner{652.0f, 476.0f, 148.0f, 124.0f};
    static constexpr Box kRightFoot{700.0f, 0.0f, 100.0f, 76.0f};
    // The frame's pictures: the left half of the screen's frame and the right.
    static constexpr Box kLeftPiece{0.0f, 0.0f, 148.0f, 600.0f};
    static constexpr Box kRightPiece{652.0f, 0.0f, 148.0f, 600.0f};

    // Buttons. The menu button wears the small-button look of the menus,
    // authored round the screen's centre; the HUD's own looks stand where
    // they are used.
    static constexpr float kMenuButtonX = 74.0f;
    static constexpr float kMenuButtonY = 573.0f;
    static constexpr Box kMinimizeButton{679.0f, 557.0f, 34.0f, 34.0f};
    static constexpr Box kWindowModeButton{717.0f, 557.0f, 34.0f, 34.0f};
    static constexpr Box kCloseButton{755.0f, 557.0f, 34.0f, 34.0f};
    static constexpr Box kModeButton{708.0f, 16.0f, 84.0f, 44.0f};
    // Hit rectangles lie this far inside their looks, captions further.
    static constexpr float kSelectionInset = 2.0f;
    static constexpr float kModeTextInset = 8.0f;

    // Level and score: a caption line over a sunk field.
    static constexpr Box kLevelCaption{14.0f, 522.0f, 110.0f, 28.0f};
    static constexpr Box kLevelField{14.0f, 486.0f, 110.0f, 34.0f};
    static constexpr Box kScoreCaption{676.0f, 522.0f, 110.0f, 28.0f};
    static constexpr Box kScoreField{676.0f, 486.0f, 110.0f, 34.0f};
    static constexpr float kFieldTextInset = 6.0f;

    // Bars: a frame down a side strip holding the trough and, beside it, the
    // upright caption at its top, above the tutorial character that comes in
    // at the lower left. Energy stands left, mana right.
    static constexpr Box kEnergyFrame{8.0f, 120.0f, 58.0f, 340.0f};
    static constexpr Box kManaFrame{734.0f, 120.0f, 58.0f, 340.0f};
    // Within a bar frame, from its lower left corner.
    static constexpr Box kTroughInFrame{8.0f, 10.0f, 22.0f, 320.0f};
    static constexpr Box kBarInFrame{11.0f, 13.0f, 16.0f, 314.0f};
    static constexpr Box kCaptionInFrame{32.0f, 210.0f, 20.0f, 120.0f};

    static constexpr Box InFrame(const Box& frame, const Box& part)
    {
        return Box{frame.left + part.left, frame.bottom + part.bottom, part.width, part.height};
    }

    // The in-game menu, over the menus' big frame (20..780 x 0..306, its
    // buttons in a column at x 674): the two volume sliders as the options
    // screen has them, and the two check boxes in a row below, their labels
    // inside the frame's text area.
    static constexpr float kSliderX = 400.0f;
    static constexpr float kMusicSliderY = 225.0f;
    static constexpr float kSoundSliderY = 174.0f;
    static constexpr float kFullscreenBoxX = 240.0f;
    static constexpr float kRelaxBoxX = 460.0f;
    static constexpr float kBoxY = 100.0f;

    // Level complete, over the big frame: the stage's picture in a round
    // mount at the left, the mana bar with its line above it, and the bonus
    // line (printed by the screen at y 154 from x 278 to 521) inside one
    // sunk panel; the button column stays the big frame's.
    static constexpr Box kResultPanel{40.0f, 24.0f, 536.0f, 262.0f};
    static constexpr Box kUpgradePicture{63.0f, 80.0f, 150.0f, 150.0f};
    static constexpr Box kResultManaFrame{256.0f, 196.0f, 300.0f, 34.0f};
    static constexpr Box kResultManaBar{264.0f, 204.0f, 284.0f, 18.0f};
    static constexpr Box kResultManaText{256.0f, 236.0f, 300.0f, 28.0f};
    static constexpr Box kResultBonusLine{270.0f, 146.0f, 260.0f, 32.0f};

    // The upgrade notice prints its line centred 12 units above the screen's
    // foot (about 180 x 22 in the notice's font); its plate stands round it.
    static constexpr Box kUpgradeNotice{270.0f, 3.0f, 260.0f, 40.0f};
};

} // namespace Content

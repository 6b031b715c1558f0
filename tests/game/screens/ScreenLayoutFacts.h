// What a player would call a broken screen, read off one frame of the running
// game: clickable rectangles off the screen, outside their frame or on top of
// each other (or of a board cell), texts that leave their window's text area,
// glyphs too small to read, ink too faint against what lies behind it, and
// the text table's "UNKNOWN", and the tutorial character or its bubble off the
// screen or over what it must leave clear. The texts are read as the windows queued them
// (before the frame renders), the ink from the frame drawn with and without
// its texts. Each fault is a line naming its kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Vector2.h"

namespace OrrelayEngine {
class GUIManager;
class GUIWindow;
} // namespace OrrelayEngine

namespace Tansywell {
class Character;
}

namespace ScreenTests {

class ScreenLayoutFacts
{
public:
    // The kinds of fault.
    static constexpr const char* kOffScreen = "off-screen";
    static constexpr const char* kOutsideFrame = "outside-frame";
    static constexpr const char* kOverlap = "overlap";
    static constexpr const char* kOverBoard = "over-board";
    static constexpr const char* kTextOutside = "text-outside";
    static constexpr const char* kSmallGlyphs = "small-glyphs";
    static constexpr const char* kContrast = "contrast";
    static constexpr const char* kUnknown = "unknown";
    static constexpr const char* kCharacter = "character";

    static constexpr float kMinGlyphPixels = 12.0f;
    static constexpr double kMinContrast = 3.0;

    struct Rectangle
    {
        OrrelayEngine::Vector2 low;
        OrrelayEngine::Vector2 high;
    };
    // A picture of the screen: rows top first, three bytes (R, G, B) a pixel.
    struct Picture
    {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::vector<std::uint8_t> rgb;
    };
    struct Fault
    {
        std::string kind;
        std::string text;
    };

    // Every text the visible windows queued this frame, with where it lands.
    void CollectTexts(const OrrelayEngine::GUIManager& gui);
    // The visible widgets that take clicks under frame (all of them when
    // frame is null): on the screen, inside the frame, apart from each other
    // (a knob from its own scroll's arrows too) and from the rectangles given.
    void CheckControls(const OrrelayEngine::GUIManager& gui, const OrrelayEngine::GUIWindow* frame,
                       const std::vector<Rectangle>& keepClear);
    // The collected texts: inside their areas (those under frame on it too),
    // no "UNKNOWN", glyphs high enough on a screen of that height; those
    // under frame (all when it is null) with ink against its surround (a
    // screen may cover the others).
    void CheckTexts(const Picture& withTexts, const Picture& withoutTexts, const OrrelayEngine::GUIWindow* frame);

    // The character's figure and (with bubbles) its shown bubble, when
    // visible: whole on the screen and apart from the rectangles given.
    void CheckCharacter(const Tansywell::Character& character, const std::vector<Rectangle>& keepClear,
                        bool withBubbles);
    // The rectangle a screen's frame covers.
    static Rectangle FrameBox(const OrrelayEngine::GUIWindow& frame);

    const std::vector<Fault>& GetFaults() const { return faults_; }
    std::size_t GetTextCount() const { return texts_.size(); }
    std::size_t GetControlCount() const { return controlCount_; }

private:
    struct Text
    {
        std::wstring text;
        const OrrelayEngine::GUIWindow* window = nullptr;
        std::string windowName;
        Rectangle box;
        Rectangle area;
        float size = 0.0f;
        float alpha = 1.0f;
        // Printed at an offset from a window with no area of its own.
        bool anchored = false;
    };

    void Add(const char* kind, const std::string& text);
    void CheckInk(const Text& text, const Picture& withTexts, const Picture& withoutTexts);

    std::vector<Text> texts_;
    std::vector<Fault> faults_;
    std::size_t controlCount_ = 0;
};

} // namespace ScreenTests

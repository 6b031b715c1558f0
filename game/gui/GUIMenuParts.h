// What the menu screens build alike: buttons laid out by a layout model with
// one of the button looks, the profile-name edit box, and the captions and
// lines they print, with the fonts and alignments every screen uses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/Color.h"
#include "engine/gui/GUIFontManager.h"
#include "game/GameData.h"

namespace OrrelayEngine {
class Engine;
class GUIFont;
class GUIWindow;
} // namespace OrrelayEngine

namespace Tansywell {

class GUIControl;

class GUIMenuParts
{
public:
    static constexpr std::uint32_t kAlignCentred =
        OrrelayEngine::GUIFontManager::kAlignCentreX | OrrelayEngine::GUIFontManager::kAlignCentreY;
    static constexpr std::uint32_t kAlignLine = OrrelayEngine::GUIFontManager::kAlignCentreX;
    static constexpr std::uint32_t kCaptionFont = 1;
    static constexpr std::uint32_t kLineFont = 2;

    static std::unique_ptr<GUIControl> MakeButton(OrrelayEngine::Engine* engine, const GameData* data,
                                                  const OrrelayEngine::Model* layout, const GameData::ButtonLook& look,
                                                  OrrelayEngine::GUIWindow* parent);
    static std::unique_ptr<GUIControl> MakeBigButton(OrrelayEngine::Engine* engine, const GameData* data,
                                                     const OrrelayEngine::Model* layout,
                                                     OrrelayEngine::GUIWindow* parent);
    // The small window's edit box: layout, look and text area are one model.
    static std::unique_ptr<GUIControl> MakeNameEditBox(OrrelayEngine::Engine* engine, const GameData* data,
                                                       OrrelayEngine::GUIWindow* parent);

    // A button's caption by text key, centred on it.
    static void PrintCaption(const GUIControl& control, const std::string& key, const OrrelayEngine::Color& colour);
    // A dialog line by text key (with a number unless negative), centred
    // across the window at height y.
    static void PrintLine(OrrelayEngine::GUIWindow* window, const std::string& key, std::int32_t number, float y,
                          const OrrelayEngine::Color& colour);
    static bool WasClicked(const GUIControl& control);
    // The text as it fits a room of that width in the font: whole, or its
    // longest start that fits with an ellipsis after it (a player's name in a
    // list row). Without a font the text is returned whole.
    static std::wstring FitText(OrrelayEngine::GUIFont* font, const std::wstring& text, float room);
};

} // namespace Tansywell

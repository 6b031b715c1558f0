#include "game/gui/GUIMenuParts.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

using OrrelayEngine::Color;
using OrrelayEngine::Vector2;

namespace {

const std::wstring kEllipsis = L"\x2026";

float TextWidth(OrrelayEngine::GUIFont& font, const std::wstring& text)
{
    Vector2 extent;
    font.MeasureText(extent, text, 0.0f, -1.0f);
    return extent.x;
}

} // namespace

std::unique_ptr<GUIControl> GUIMenuParts::MakeButton(OrrelayEngine::Engine* engine, const GameData* data,
                                                     const OrrelayEngine::Model* layout,
                                                     const GameData::ButtonLook& look, OrrelayEngine::GUIWindow* parent)
{
    return std::make_unique<GUIControl>(engine, data, GUIControl::kButton, layout, look.look, look.selectionArea,
                                        look.textArea, parent);
}

std::unique_ptr<GUIControl> GUIMenuParts::MakeBigButton(OrrelayEngine::Engine* engine, const GameData* data,
                                                        const OrrelayEngine::Model* layout,
                                                        OrrelayEngine::GUIWindow* parent)
{
    return MakeButton(engine, data, layout, data->controls.buttonBig, parent);
}

std::unique_ptr<GUIControl> GUIMenuParts::MakeNameEditBox(OrrelayEngine::Engine* engine, const GameData* data,
                                                          OrrelayEngine::GUIWindow* parent)
{
    const OrrelayEngine::Model* edit = data->smallWindow.edit;
    return std::make_unique<GUIControl>(engine, data, GUIControl::kEditBox, edit, edit, nullptr, edit, parent);
}

void GUIMenuParts::PrintCaption(const GUIControl& control, const std::string& key, const Color& colour)
{
    control.mainWindow->PrintTextKey(kAlignCentred, kCaptionFont, Vector2(0.0f, 0.0f), colour, key);
}

void GUIMenuParts::PrintLine(OrrelayEngine::GUIWindow* window, const std::string& key, std::int32_t number, float y,
                             const Color& colour)
{
    window->PrintTextKey(kAlignLine, kLineFont, Vector2(0.0f, y), colour, key, number);
}

bool GUIMenuParts::WasClicked(const GUIControl& control)
{
    return control.button != nullptr && control.button->IsClicked();
}

std::wstring GUIMenuParts::FitText(OrrelayEngine::GUIFont* font, const std::wstring& text, float room)
{
    if (font == nullptr || TextWidth(*font, text) <= room)
        return text;
    std::wstring cut = text;
    while (!cut.empty() && TextWidth(*font, cut + kEllipsis) > room)
        cut.pop_back();
    return cut + kEllipsis;
}

} // namespace Tansywell

#include "tests/game/screens/ScreenLayoutFacts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/Model.h"
#include "game/gui/GUIControl.h"
#include "game/logic/Character.h"

namespace ScreenTests {

namespace {

using OrrelayEngine::GUIWindow;
using OrrelayEngine::Vector2;

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
// Model boxes and text measures are floats; half a unit is no fault.
constexpr float kSlack = 0.5f;

Vector2 Plus(const Vector2& a, const Vector2& b)
{
    return Vector2(a.x + b.x, a.y + b.y);
}

std::string Describe(const ScreenLayoutFacts::Rectangle& r)
{
    char line[96];
    std::snprintf(line, sizeof line, "(%.0f,%.0f)-(%.0f,%.0f)", r.low.x, r.low.y, r.high.x, r.high.y);
    return line;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        out += c < 128 ? static_cast<char>(c) : '?';
    }
    return out;
}

bool Inside(const ScreenLayoutFacts::Rectangle& inner, const ScreenLayoutFacts::Rectangle& outer)
{
    return inner.low.x >= outer.low.x - kSlack && inner.low.y >= outer.low.y - kSlack &&
           inner.high.x <= outer.high.x + kSlack && inner.high.y <= outer.high.y + kSlack;
}

bool Overlap(const ScreenLayoutFacts::Rectangle& a, const ScreenLayoutFacts::Rectangle& b)
{
    return std::min(a.high.x, b.high.x) - std::max(a.low.x, b.low.x) > kSlack &&
           std::min(a.high.y, b.high.y) - std::max(a.low.y, b.low.y) > kSlack;
}

ScreenLayoutFacts::Rectangle WindowRectangle(const GUIWindow& window)
{
    const Vector2 low = window.GetAbsolutePosition();
    return {low, Plus(low, window.GetSize())};
}

// A frame's model is authored where it appears; its window may be a mere handle.
ScreenLayoutFacts::Rectangle FrameRectangle(const GUIWindow& frame)
{
    if (frame.GetModel() == nullptr) {
        return WindowRectangle(frame);
    }
    const Vector2 centre = Tansywell::GUIControl::ModelPosition(frame.GetModel());
    const Vector2 size = Tansywell::GUIControl::ModelSize(frame.GetModel());
    return {Vector2(centre.x - size.x * 0.5f, centre.y - size.y * 0.5f),
            Vector2(centre.x + size.x * 0.5f, centre.y + size.y * 0.5f)};
}

bool IsUnder(const GUIWindow* window, const GUIWindow* ancestor)
{
    for (; window != nullptr; window = window->GetParent()) {
        if (window == ancestor) {
            return true;
        }
    }
    return false;
}

// Relative luminance of an sRGB pixel.
double Luminance(const std::uint8_t* rgb)
{
    double sum = 0.0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = rgb[i] / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

} // namespace

void ScreenLayoutFacts::Add(const char* kind, const std::string& text)
{
    faults_.push_back(Fault{kind, text});
}

void ScreenLayoutFacts::CollectTexts(const OrrelayEngine::GUIManager& gui)
{
    texts_.clear();
    std::vector<GUIWindow*> plain;
    gui.ForEachWindow([&plain](GUIWindow& window) { plain.push_back(&window); });
    OrrelayEngine::GUIFontManager* fonts = gui.GetFontManager();
    for (const GUIWindow* window : plain) {
        if (!window->IsVisible()) {
            continue;
        }
        for (std::uint32_t i = 0; i < window->GetQueuedTextCount(); ++i) {
            const GUIWindow::TextRecord& record = window->GetQueuedText(i);
            OrrelayEngine::GUIFont* font = fonts->FindFont(record.fontId);
            if (font == nullptr) {
                continue;
            }
            Text text;
            text.text = record.isKey != 0 ? gui.GetTextManager()->GetText(record.key, record.number) : record.text;
            if (text.text.empty()) {
                continue;
            }
            // Measured and placed as the window prints it: at its own size.
            const float ownSize = font->GetSize();
            if (record.size >= 0.0f) {
                font->SetSize(record.size);
            }
            text.size = font->GetSize();
            Vector2 extent;
            font->MeasureText(extent, text.text, 0.0f, -1.0f);
            Vector2 at;
            fonts->GetTextPosition(at, record.alignFlags, record.fontId, window, record.offset, record.angle,
                                   text.text);
            font->SetSize(ownSize);
            // The line's upright box turned about its first glyph's corner.
            const float c = std::cos(record.angle);
            const float s = std::sin(record.angle);
            text.box = {at, at};
            for (const Vector2& corner : {Vector2(extent.x, 0.0f), Vector2(0.0f, extent.y), extent}) {
                const Vector2 p(at.x + corner.x * c - corner.y * s, at.y + corner.x * s + corner.y * c);
                text.box.low = Vector2(std::min(text.box.low.x, p.x), std::min(text.box.low.y, p.y));
                text.box.high = Vector2(std::max(text.box.high.x, p.x), std::max(text.box.high.y, p.y));
            }
            // A window without a text area or an extent of its own only
            // anchors its texts: they must stay on its screen's frame (on
            // the screen when it has none).
            text.area = WindowRectangle(*window);
            text.anchored = window->GetSize().x < 1.0f || window->GetSize().y < 1.0f;
            if (text.anchored) {
                text.area = {Vector2(0.0f, 0.0f), Vector2(kScreenWidth, kScreenHeight)};
            }
            if (window->HasTextArea()) {
                const Vector2 low = Plus(window->GetAbsolutePosition(), window->GetTextAreaOffset());
                text.area = {low, Plus(low, window->GetTextAreaSize())};
            }
            text.alpha = record.colour.a;
            text.window = window;
            text.windowName = "window " + Describe(WindowRectangle(*window));
            texts_.push_back(text);
        }
    }
}

void ScreenLayoutFacts::CheckControls(const OrrelayEngine::GUIManager& gui, const GUIWindow* frame,
                                      const std::vector<Rectangle>& keepClear)
{
    // Every widget but the plain windows, which take no clicks.
    std::vector<GUIWindow*> pooled;
    gui.ForEachWindow([&pooled](GUIWindow& window) {
        if (typeid(window) != typeid(GUIWindow)) {
            pooled.push_back(&window);
        }
    });
    // The player types into an edit box and drags a slider's knob: what
    // takes the clicks there is the knob and a scroll's arrows, which the
    // slider owns outside the pools.
    std::vector<const GUIWindow*> controls;
    for (const GUIWindow* widget : pooled) {
        if (dynamic_cast<const OrrelayEngine::GUIEditBox*>(widget) != nullptr) {
            continue;
        }
        const auto* slider = dynamic_cast<const OrrelayEngine::GUISlider*>(widget);
        if (slider == nullptr) {
            controls.push_back(widget);
            continue;
        }
        controls.push_back(slider->GetKnob());
        if (const auto* scroll = dynamic_cast<const OrrelayEngine::GUIScroll*>(widget)) {
            controls.push_back(scroll->GetIncreaseButton());
            controls.push_back(scroll->GetDecreaseButton());
        }
    }
    struct Hit
    {
        const GUIWindow* widget;
        Rectangle rect;
    };
    std::vector<Hit> hits;
    for (const GUIWindow* widget : controls) {
        if (widget == nullptr || !widget->IsVisible() || (frame != nullptr && !IsUnder(widget, frame))) {
            continue;
        }
        Vector2 low;
        Vector2 extent;
        widget->GetHitRectangle(low, extent);
        if (extent.x <= 0.0f || extent.y <= 0.0f) {
            continue;
        }
        hits.push_back(Hit{widget, {low, Plus(low, extent)}});
    }
    controlCount_ = hits.size();
    const Rectangle screen{Vector2(0.0f, 0.0f), Vector2(kScreenWidth, kScreenHeight)};
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const std::string name = "control " + Describe(hits[i].rect);
        if (!Inside(hits[i].rect, screen)) {
            Add(kOffScreen, name);
        }
        if (frame != nullptr && !Inside(hits[i].rect, FrameRectangle(*frame))) {
            Add(kOutsideFrame, name + " frame " + Describe(FrameRectangle(*frame)));
        }
        for (std::size_t j = i + 1; j < hits.size(); ++j) {
            // A control inside another takes its clicks first.
            if (IsUnder(hits[i].widget, hits[j].widget) || IsUnder(hits[j].widget, hits[i].widget)) {
                continue;
            }
            if (Overlap(hits[i].rect, hits[j].rect)) {
                Add(kOverlap, name + " and control " + Describe(hits[j].rect));
            }
        }
        for (const Rectangle& clear : keepClear) {
            if (Overlap(hits[i].rect, clear)) {
                Add(kOverBoard, name + " over cell " + Describe(clear));
            }
        }
    }
}

ScreenLayoutFacts::Rectangle ScreenLayoutFacts::FrameBox(const GUIWindow& frame)
{
    return FrameRectangle(frame);
}

void ScreenLayoutFacts::CheckCharacter(const Tansywell::Character& character, const std::vector<Rectangle>& keepClear,
                                       bool withBubbles)
{
    // The models are drawn where their boxes say, whatever their windows hold.
    std::vector<std::pair<std::string, const GUIWindow*>> parts = {{"figure", character.GetFigureWindow()}};
    for (std::uint32_t b = 0; withBubbles && b < Tansywell::Character::kBubbleCount; ++b) {
        parts.emplace_back("bubble " + std::to_string(b + 1), character.GetBubbleWindow(b));
    }
    const Rectangle screen{Vector2(0.0f, 0.0f), Vector2(kScreenWidth, kScreenHeight)};
    for (const auto& [name, window] : parts) {
        if (window == nullptr || !window->IsVisible() || window->GetModel() == nullptr) {
            continue;
        }
        const OrrelayEngine::BoundingBox& box = window->GetModel()->box;
        const Rectangle rect{Vector2(box.worldMin.x, box.worldMin.y), Vector2(box.worldMax.x, box.worldMax.y)};
        const std::string text = "character's " + name + " " + Describe(rect);
        if (!Inside(rect, screen)) {
            Add(kCharacter, text + " off the screen");
        }
        for (const Rectangle& clear : keepClear) {
            if (Overlap(rect, clear)) {
                Add(kCharacter, text + " over " + Describe(clear));
            }
        }
    }
}

void ScreenLayoutFacts::CheckTexts(const Picture& withTexts, const Picture& withoutTexts, const GUIWindow* frame)
{
    for (const Text& text : texts_) {
        const std::string name = "\"" + Narrow(text.text) + "\" " + Describe(text.box);
        if (text.text.find(L"UNKNOWN") != std::wstring::npos) {
            Add(kUnknown, name);
        }
        const bool onFrame = frame == nullptr || IsUnder(text.window, frame);
        const Rectangle area = text.anchored && frame != nullptr && onFrame ? FrameRectangle(*frame) : text.area;
        if (!Inside(text.box, area)) {
            Add(kTextOutside, name + " in " + text.windowName + " area " + Describe(area));
        } else if (frame != nullptr && onFrame && !Inside(text.box, FrameRectangle(*frame))) {
            // A text area may reach past its frame (the lines are placed
            // from the screen's edges); the text itself may not.
            Add(kTextOutside, name + " off its frame " + Describe(FrameRectangle(*frame)));
        }
        const float pixels = text.size * static_cast<float>(withTexts.height) / kScreenHeight;
        if (withTexts.height == 600 && pixels < kMinGlyphPixels) {
            char line[32];
            std::snprintf(line, sizeof line, " %.1f px", pixels);
            Add(kSmallGlyphs, name + line);
        }
        if (onFrame) {
            CheckInk(text, withTexts, withoutTexts);
        }
    }
}

void ScreenLayoutFacts::CheckInk(const Text& text, const Picture& withTexts, const Picture& withoutTexts)
{
    // A text fading in or out is not yet meant to be read.
    if (text.alpha < 0.5f || text.text.find_first_not_of(L' ') == std::wstring::npos) {
        return;
    }
    const float sx = static_cast<float>(withTexts.width) / kScreenWidth;
    const float sy = static_cast<float>(withTexts.height) / kScreenHeight;
    const auto clampX = [&](float x) {
        return static_cast<std::uint32_t>(std::clamp(x * sx, 0.0f, static_cast<float>(withTexts.width)));
    };
    const auto clampRow = [&](float y) {
        return static_cast<std::uint32_t>(
            std::clamp((kScreenHeight - y) * sy, 0.0f, static_cast<float>(withTexts.height)));
    };
    const std::uint32_t x0 = clampX(text.box.low.x);
    const std::uint32_t x1 = clampX(text.box.high.x);
    const std::uint32_t r0 = clampRow(text.box.high.y);
    const std::uint32_t r1 = clampRow(text.box.low.y);
    // The strokes' cores: the pixels the text changed most.
    int strongest = 0;
    for (std::uint32_t row = r0; row < r1; ++row) {
        for (std::uint32_t x = x0; x < x1; ++x) {
            const std::size_t at = (static_cast<std::size_t>(row) * withTexts.width + x) * 3;
            for (int c = 0; c < 3; ++c) {
                strongest = std::max(strongest, std::abs(withTexts.rgb[at + c] - withoutTexts.rgb[at + c]));
            }
        }
    }
    const std::string name = "\"" + Narrow(text.text) + "\" " + Describe(text.box);
    if (strongest == 0) {
        Add(kContrast, name + " leaves no ink");
        return;
    }
    double ink = 0.0;
    double behind = 0.0;
    std::uint32_t count = 0;
    for (std::uint32_t row = r0; row < r1; ++row) {
        for (std::uint32_t x = x0; x < x1; ++x) {
            const std::size_t at = (static_cast<std::size_t>(row) * withTexts.width + x) * 3;
            int change = 0;
            for (int c = 0; c < 3; ++c) {
                change = std::max(change, std::abs(withTexts.rgb[at + c] - withoutTexts.rgb[at + c]));
            }
            if (2 * change >= strongest) {
                ink += Luminance(&withTexts.rgb[at]);
                behind += Luminance(&withoutTexts.rgb[at]);
                ++count;
            }
        }
    }
    ink /= count;
    behind /= count;
    const double ratio = (std::max(ink, behind) + 0.05) / (std::min(ink, behind) + 0.05);
    if (ratio < kMinContrast) {
        char line[48];
        std::snprintf(line, sizeof line, " contrast %.2f", ratio);
        Add(kContrast, name + line);
    }
}

} // namespace ScreenTests

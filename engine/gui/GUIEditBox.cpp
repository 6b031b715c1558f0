#include "engine/gui/GUIEditBox.h"

#include <algorithm>
#include <cmath>

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls.h"

namespace OrrelayEngine {

namespace {

constexpr wchar_t kSpace = 0x20;

} // namespace

GUIEditBox::GUIEditBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                       GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
                       const Vector2& position, const Vector2& size, GUIWindow* parent, const Model* source,
                       TimerManager* timerManager, Controls* controls, GUISoundManager* soundManager,
                       std::uint32_t fontId, const Color& textColour, const Vector2& textOffset, wchar_t caretCharacter,
                       std::int32_t lengthLimit, float textWidthLimit, float viewWidth)
    : GUIWindow(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, flags, position, size,
                parent, source),
      timerManager(timerManager), controls(controls), soundManager(soundManager), fontId(fontId),
      textColour(textColour), textOffset(textOffset), caretString(1, caretCharacter),
      // A limit below 1 would leave the caret no place at all (index -1).
      lengthLimit(std::max<std::int32_t>(lengthLimit, 1)), textWidthLimit(textWidthLimit), viewWidth(viewWidth)
{
    RefreshFont();
    const auto room = static_cast<std::size_t>(this->lengthLimit) + 1;
    text.reserve(room);
    visibleText.reserve(room);
    scratch.reserve(room + 1);
    // The text and the caret.
    ReserveTextRecords(2, room);
}

GUIEditBox::~GUIEditBox() = default;

void GUIEditBox::RefreshFont()
{
    font = fontId != kNoFont && fontManager != nullptr ? fontManager->FindFont(fontId) : nullptr;
}

std::int32_t GUIEditBox::LastCaret() const
{
    return std::min(Length(), lengthLimit - 1);
}

float GUIEditBox::Measure(const std::wstring& line) const
{
    Vector2 extent;
    font->MeasureText(extent, line, 0.0f, -1.0f);
    return extent.x;
}

float GUIEditBox::MeasureWithCaret(std::int32_t first, std::int32_t count)
{
    const std::int32_t start = std::min(first, Length());
    const std::int32_t taken = std::max(0, std::min(count, Length() - start));
    scratch.assign(text, static_cast<std::size_t>(start), static_cast<std::size_t>(taken));
    scratch += caretString;
    return Measure(scratch);
}

bool GUIEditBox::CanInsert(wchar_t character)
{
    if (Length() + 1 > lengthLimit) {
        return false;
    }
    scratch.assign(text);
    scratch += character;
    return Measure(scratch) <= textWidthLimit;
}

void GUIEditBox::ScrollToCaret()
{
    if (font == nullptr) {
        return;
    }
    // A view narrower than the caret alone would push the view past the
    // caret; it stops there.
    while (firstVisible < caret && MeasureWithCaret(firstVisible, caret - firstVisible) > viewWidth) {
        ++firstVisible;
    }
}

void GUIEditBox::StepBackView()
{
    if (caret == firstVisible) {
        firstVisible -= std::min(firstVisible, kScrollBackStep);
        ScrollToCaret();
    }
}

void GUIEditBox::AdvanceCaret()
{
    const std::int32_t oldCaret = caret;
    const std::int32_t oldFirst = firstVisible;
    caret = LastCaret();
    firstVisible = 0;
    ScrollToCaret();
    const std::int32_t endFirst = firstVisible;
    caret = std::min(oldCaret + 1, lengthLimit - 1);
    if (MeasureWithCaret(oldFirst, caret - oldFirst + 1) <= viewWidth) {
        firstVisible = oldFirst;
    } else {
        firstVisible = std::min(oldFirst + kScrollBackStep, endFirst);
    }
    firstVisible = std::min(firstVisible, caret);
}

bool GUIEditBox::ApplyKeyCode(std::uint16_t code)
{
    switch (code) {
    case kKeyInsert:
        overwrite = overwrite != 0 ? 0 : 1;
        return false;
    case kKeyDelete:
        if (caret >= Length()) {
            return false;
        }
        text.erase(static_cast<std::size_t>(caret), 1);
        return true;
    case kKeyBackspace:
        if (caret == 0) {
            return false;
        }
        // On a full text the caret cannot pass the last character, so there
        // it stands for the end: the character under it goes and it stays.
        if (caret == lengthLimit - 1 && Length() == lengthLimit) {
            text.erase(static_cast<std::size_t>(caret), 1);
            return true;
        }
        text.erase(static_cast<std::size_t>(caret - 1), 1);
        --caret;
        StepBackView();
        return true;
    case kKeyLeft:
        if (caret > 0) {
            --caret;
            StepBackView();
        }
        return false;
    case kKeyRight:
        if (caret < Length()) {
            AdvanceCaret();
        }
        return false;
    case kKeyHome:
        caret = 0;
        firstVisible = 0;
        return false;
    case kKeyEnd:
        caret = LastCaret();
        ScrollToCaret();
        return false;
    default:
        return false;
    }
}

bool GUIEditBox::ApplyCharacter(wchar_t character)
{
    if (character != kSpace && !font->HasGlyph(character)) {
        return false;
    }
    const bool atEnd = caret >= Length();
    if (overwrite != 0 && !atEnd) {
        // Replacing keeps the length; the width is not tested again.
        text[static_cast<std::size_t>(caret)] = character;
    } else {
        if (!CanInsert(character)) {
            return false;
        }
        text.insert(static_cast<std::size_t>(caret), 1, character);
    }
    if (caret < Length()) {
        AdvanceCaret();
    }
    return true;
}

void GUIEditBox::QueueVisibleText(const Color& printColour)
{
    const std::int32_t first = std::min(firstVisible, Length());
    visibleText.assign(text, static_cast<std::size_t>(first), std::wstring::npos);
    if (Measure(visibleText) > viewWidth) {
        std::size_t fits = 0;
        for (std::size_t count = 1; count <= visibleText.size(); ++count) {
            scratch.assign(visibleText, 0, count);
            if (Measure(scratch) > viewWidth) {
                break;
            }
            fits = count;
        }
        visibleText.resize(fits);
    }
    PrintText(0, fontId, textOffset, printColour, visibleText, 0.0f, -1.0f);
}

bool GUIEditBox::Update(const Vector2& mouse, bool held, bool pressed)
{
    if (!GUIWindow::Update(mouse, held, pressed)) {
        return false;
    }
    RefreshFont();
    if (font == nullptr) {
        return true;
    }
    Color windowColour;
    GetColor(windowColour);
    Color printColour = textColour;
    printColour.a *= windowColour.a;

    bool changed = false;
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    if (editingFlag != 0 && controls != nullptr && controls->GetTypedKey(code, isCharacter)) {
        changed = isCharacter != 0 ? ApplyCharacter(static_cast<wchar_t>(code)) : ApplyKeyCode(code);
    }

    QueueVisibleText(printColour);

    if (editingFlag != 0 && timerManager != nullptr) {
        const double seconds = timerManager->GetFrameTimer()->GetTimePrecise();
        const auto periods = static_cast<std::int64_t>(std::floor(seconds / kBlinkPeriodSeconds));
        if (periods % 2 == 0) {
            const auto shown = static_cast<std::size_t>(std::max(0, caret - firstVisible));
            scratch.assign(visibleText, 0, shown);
            const Vector2 at(textOffset.x + Measure(scratch), textOffset.y);
            PrintText(0, fontId, at, printColour, caretString, 0.0f, -1.0f);
        }
    }

    if (changed && soundManager != nullptr) {
        soundManager->Play(GUISoundManager::kEditBoxType);
    }
    return true;
}

void GUIEditBox::SetText(const std::wstring& newText)
{
    RefreshFont();
    text = newText;
    caret = LastCaret();
    firstVisible = 0;
    ScrollToCaret();
}

void GUIEditBox::SetEditing(bool editing)
{
    editingFlag = editing ? 1 : 0;
}

} // namespace OrrelayEngine

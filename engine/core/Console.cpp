#include "engine/core/Console.h"

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/render/ShaderDescriptor.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kDefaultDecimals = 4;

constexpr std::uint16_t kKeyTab = 9;
constexpr std::uint16_t kKeyEnter = 13;
constexpr std::uint16_t kKeyEscape = 27;
constexpr std::uint16_t kKeyPageUp = 33;
constexpr std::uint16_t kKeyPageDown = 34;
constexpr std::uint16_t kKeyUp = 38;
constexpr std::uint16_t kKeyDown = 40;

const char* const kAlphaVariable = "ui_console_alpha";
const char* const kSizeVariable = "ui_console_size";
const char* const kSpeedVariable = "ui_console_speed";
const char* const kKeyVariable = "ui_console_key";
const char* const kSayVariable = "say";
const wchar_t* const kDefaultSpeakerName = L"Console";
const wchar_t* const kListIndent = L"    ";

const Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);
const Color kGrey(0.5f, 0.5f, 0.5f, 1.0f);
const Color kRed(1.0f, 0.0f, 0.0f, 1.0f);
const Color kGreen(0.0f, 1.0f, 0.0f, 1.0f);
const Color kBlue(0.0f, 0.0f, 1.0f, 1.0f);

// The console speaks UTF-8 with the configuration whatever the process's
// locale: a typed line must reach Config::Execute whole.
void AppendUtf8(std::string& out, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = 0xFFFD;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t character : text) {
        AppendUtf8(out, static_cast<char32_t>(character));
    }
    return out;
}

// The length of the sequence a lead byte begins, 0 for a byte no sequence
// begins with, and the bits the lead byte holds.
std::size_t Utf8SequenceLength(unsigned char lead, char32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        bits = lead & 0x1F;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        bits = lead & 0x0F;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

// A byte that does not begin a whole sequence becomes U+FFFD on its own.
std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[at]), code);
        bool whole = length != 0 && at + length <= text.size();
        for (std::size_t i = 1; whole && i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        out += whole ? static_cast<wchar_t>(code) : static_cast<wchar_t>(0xFFFD);
        at += whole ? length : 1;
    }
    return out;
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

} // namespace

Console::Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, ShaderManager* shaders,
                 GUIManager* gui, const std::wstring& footerText, const std::string& backgroundTexture,
                 std::uint32_t fontId, std::uint32_t editBoxOption, wchar_t promptCharacter, wchar_t fillCharacter,
                 const std::string& keyName, float alpha, float size, float speed)
    : log_(log), timers_(timers), config_(config), controls_(controls), shaders_(shaders), gui_(gui), fontId_(fontId),
      speakerName_(kDefaultSpeakerName)
{
    RegisterVariables(alpha, size, speed, keyName);
    font_ = gui_->GetFontManager()->FindFont(fontId_);
    if (font_ != nullptr) {
        bottomMargin_ = kBottomMarginInLines * font_->GetSize();
        lineHeight_ = kLineHeightInFontSizes * font_->GetSize();
    }
    BuildTexts(footerText, promptCharacter, fillCharacter);
    CreateWindows(backgroundTexture, editBoxOption);
}

Console::~Console()
{
    gui_->DeleteEditBox(input_);
    gui_->DeleteWindow(background_);
    // The variables outlive their storage here: the configuration keeps their
    // last values and gives them to a console made later.
    for (const char* name : {kAlphaVariable, kSizeVariable, kSpeedVariable, kKeyVariable, kSayVariable}) {
        config_->SetReadOnly(name);
    }
}

void Console::RegisterVariables(float alpha, float size, float speed, const std::string& keyName)
{
    config_->AddVariable(kAlphaVariable, kConfigFloat, false, true, &alpha_, FloatToString(alpha, kDefaultDecimals),
                         false);
    config_->AddVariable(kSizeVariable, kConfigFloat, false, true, &size_, FloatToString(size, kDefaultDecimals),
                         false);
    config_->AddVariable(kSpeedVariable, kConfigFloat, false, true, &speed_, FloatToString(speed, kDefaultDecimals),
                         false);
    config_->AddVariable(kKeyVariable, kConfigString, false, true, &keyName_, keyName, false);
    config_->AddVariable(kSayVariable, kConfigString, false, false, &sayText_, "", false);
    // A value from the .ini stands only while it makes sense.
    if (!(alpha_ > 0.0f) || alpha_ > 1.0f) {
        alpha_ = alpha;
    }
    if (!(size_ > 0.0f) || size_ > ScreenHeight()) {
        size_ = size;
    }
    if (speed_ < 0.0f) {
        speed_ = speed;
    }
}

void Console::BuildTexts(const std::wstring& footerText, wchar_t promptCharacter, wchar_t fillCharacter)
{
    const float screenWidth = ScreenWidth();
    prompt_.assign(1, promptCharacter);
    // Blanks in front set the footer against the right edge.
    footer_ = footerText;
    while (font_ != nullptr && Measure(L" " + footer_) <= screenWidth && Measure(L" ") > 0.0f) {
        footer_.insert(footer_.begin(), L' ');
    }
    const std::wstring fill(1, fillCharacter);
    while (font_ != nullptr && Measure(marker_ + fill) <= screenWidth && Measure(fill) > 0.0f) {
        marker_ += fillCharacter;
    }
}

void Console::CreateWindows(const std::string& backgroundTexture, std::uint32_t editBoxOption)
{
    const float screenWidth = ScreenWidth();
    ShaderDescriptor texture;
    if (!backgroundTexture.empty()) {
        texture = MakeSingleTextureShaderDescriptor(backgroundTexture, "", false);
    }
    // Coloured vertices, so that the alpha of ui_console_alpha shows; hidden
    // above the top edge until opened.
    background_ = gui_->CreateQuadWindow(GUIWindow::kFlagColoredVertices, Vector2(0.0f, ScreenHeight()),
                                         Vector2(screenWidth, size_), texture, nullptr, Vector2(1.0f, 1.0f));
    const float promptWidth = Measure(prompt_);
    input_ = gui_->CreateEditBox(
        GUIWindow::kFlagShown | editBoxOption, Vector2(promptWidth, bottomMargin_ + lineHeight_),
        Vector2(screenWidth - promptWidth, lineHeight_), nullptr, background_, fontId_, kWhite, Vector2(0.0f, 0.0f),
        kCaretCharacter, kInputLengthLimit, kInputWidthInScreens * screenWidth, screenWidth);
    input_->SetEditing(false);
}

float Console::Measure(const std::wstring& text) const
{
    if (font_ == nullptr) {
        return 0.0f;
    }
    Vector2 extent;
    font_->MeasureText(extent, text, 0.0f, -1.0f);
    return extent.x;
}

float Console::ScreenWidth() const
{
    return gui_->GetScreenWidth();
}

float Console::ScreenHeight() const
{
    return gui_->GetScreenHeight();
}

void Console::AddText(const Color& colour, const std::wstring& text)
{
    const float screenWidth = ScreenWidth();
    ConsoleLine piece;
    piece.colour = colour;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t character = text[i];
        if (character == L'\n') {
            StorePiece(piece, true);
            continue;
        }
        piece.text += character;
        // A character that does not fit starts the next piece; the piece
        // keeps everything it had, and a lone character too wide for the
        // screen stays rather than leave an empty piece behind.
        if (piece.text.size() > 1 && Measure(piece.text) > screenWidth) {
            piece.text.pop_back();
            StorePiece(piece, true);
            piece.text += character;
        }
        if (i + 1 == text.size()) {
            StorePiece(piece, false);
        }
    }
}

void Console::StorePiece(ConsoleLine& piece, bool endsLine)
{
    piece.endsLine = endsLine;
    piece.width = Measure(piece.text);
    scrollback_.push_back(piece);
    piece.text.clear();
}

void Console::Update()
{
    font_ = gui_->GetFontManager()->FindFont(fontId_);
    TakeLogMessages();
    Toggle();
    Slide();
    if (state_ == kClosed) {
        return;
    }
    if (state_ == kOpen) {
        background_->SetPosition(Vector2(0.0f, ScreenHeight() - size_));
    }
    background_->SetSize(Vector2(ScreenWidth(), size_));
    background_->SetColor(Color(1.0f, 1.0f, 1.0f, alpha_));
    PrintTexts();
    HandleKey();
}

void Console::TakeLogMessages()
{
    const std::uint32_t count = log_->GetMessageCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        const MessageManager::Message message = log_->GetMessageAt(i);
        const Color& colour = message.type == MessageManager::kWarning ? kGrey
                              : message.type == MessageManager::kError || message.type == MessageManager::kFatal
                                  ? kRed
                                  : kWhite;
        AddText(colour, FromUtf8(message.text));
    }
}

void Console::Toggle()
{
    if (!controls_->WasKeyPressed(keyName_)) {
        return;
    }
    if (state_ == kClosed || state_ == kClosing) {
        state_ = kOpening;
        background_->SetFlags(GUIWindow::kFlagShown);
        input_->SetText(L"");
    } else {
        state_ = kClosing;
        input_->SetEditing(false);
    }
}

void Console::Slide()
{
    const float screenHeight = ScreenHeight();
    const float step = speed_ * timers_->GetFrameTime();
    Vector2 position = background_->GetPosition();
    if (state_ == kOpening) {
        position.y -= step;
        if (screenHeight - position.y > size_) {
            state_ = kOpen;
            position.y = screenHeight - size_;
            input_->SetEditing(true);
        }
    } else if (state_ == kClosing) {
        position.y += step;
        if (position.y > screenHeight) {
            state_ = kClosed;
            position.y = screenHeight;
            background_->ClearFlags(GUIWindow::kFlagShown);
            scrollOffset_ = 0;
        }
    }
    background_->SetPosition(position);
}

std::size_t Console::FirstPieceOfLine(std::size_t last) const
{
    std::size_t first = last;
    while (first > 0 && !scrollback_[first - 1].endsLine) {
        --first;
    }
    return first;
}

void Console::PrintTexts()
{
    if (font_ == nullptr) {
        return;
    }
    if (scrollback_.empty()) {
        scrollOffset_ = 0;
    }
    float y = bottomMargin_;
    background_->PrintText(0, fontId_, Vector2(0.0f, y), kWhite, footer_);
    y += lineHeight_;
    background_->PrintText(0, fontId_, Vector2(0.0f, y), kWhite, prompt_);
    if (scrollOffset_ > 0) {
        y += lineHeight_;
        background_->PrintText(0, fontId_, Vector2(0.0f, y), kWhite, marker_);
    }
    std::int32_t skipped = 0;
    std::size_t end = scrollback_.size();
    while (end > 0) {
        const std::size_t first = FirstPieceOfLine(end - 1);
        if (skipped < scrollOffset_) {
            if (first > 0) {
                ++skipped;
                end = first;
                continue;
            }
            // Scrolled back past the oldest line: it stays in view.
            scrollOffset_ = skipped;
        }
        y += lineHeight_;
        if (y + lineHeight_ > size_) {
            return;
        }
        float x = 0.0f;
        for (std::size_t i = first; i < end; ++i) {
            background_->PrintText(0, fontId_, Vector2(x, y), scrollback_[i].colour, scrollback_[i].text);
            x += scrollback_[i].width;
        }
        end = first;
    }
}

void Console::HandleKey()
{
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    if (!controls_->GetTypedKey(code, isCharacter) || isCharacter != 0) {
        return;
    }
    switch (code) {
    case kKeyEnter:
        RunInputLine();
        break;
    case kKeyEscape:
        input_->SetText(L"");
        break;
    case kKeyTab:
        CompleteInputLine();
        break;
    case kKeyUp:
        // With no history there is no entry to show.
        if (!history_.empty()) {
            historyPosition_ = std::max(0, historyPosition_ - 1);
            ShowHistoryEntry();
        }
        break;
    case kKeyDown:
        historyPosition_ = std::min(static_cast<std::int32_t>(history_.size()), historyPosition_ + 1);
        ShowHistoryEntry();
        break;
    case kKeyPageUp:
        ++scrollOffset_;
        break;
    case kKeyPageDown:
        scrollOffset_ = std::max(0, scrollOffset_ - 1);
        break;
    default:
        break;
    }
}

void Console::ShowHistoryEntry()
{
    if (historyPosition_ >= static_cast<std::int32_t>(history_.size())) {
        input_->SetText(L"");
    } else {
        input_->SetText(history_[static_cast<std::size_t>(historyPosition_)]);
    }
}

void Console::RunInputLine()
{
    std::wstring text = input_->GetText();
    if (text.empty() || text == L"\\") {
        return;
    }
    input_->SetText(L"");
    std::string name;
    const std::uint32_t result = config_->Execute(ToUtf8(text), &name);
    if (result == Config::kExecuteEmptyLine) {
        return;
    }
    if (text[0] != L'\\') {
        text.insert(text.begin(), L'\\');
    }
    history_.push_back(text);
    historyPosition_ = static_cast<std::int32_t>(history_.size());
    AddText(kBlue, prompt_ + text + L"\n");
    Answer(result, name);
}

void Console::Answer(std::uint32_t result, const std::string& name)
{
    const std::wstring wideName = FromUtf8(name);
    const bool isSay = name == kSayVariable;
    if (result == Config::kExecuteDone && isSay) {
        AddText(kWhite, speakerName_ + L": \"");
        AddText(kGreen, FromUtf8(sayText_));
        AddText(kWhite, L"\"\n");
    } else if (result == Config::kExecuteNoValue && !isSay) {
        AddText(kWhite, Quoted(wideName) + L" is " + Quoted(FromUtf8(config_->GetValue(name))) + L", default is " +
                            Quoted(FromUtf8(config_->GetDefaultValue(name))) + L"\n");
    } else if (result == Config::kExecuteLocked) {
        AddText(kWhite, Quoted(wideName) + L" is read only\n");
    } else if (result == Config::kExecuteUnknownName) {
        AddText(kWhite, L"Unknown command " + Quoted(wideName) + L"\n");
    }
}

void Console::CompleteInputLine()
{
    std::wstring typed = input_->GetText();
    ToLowerWideInPlace(typed);
    if (typed.empty() || typed[0] != L'\\') {
        typed.insert(typed.begin(), L'\\');
    }
    std::vector<std::string> names;
    config_->ListVariables(names);
    std::vector<std::wstring> matches;
    for (const std::string& name : names) {
        std::wstring candidate = L"\\" + FromUtf8(name);
        if (candidate.compare(0, typed.size(), typed) == 0) {
            matches.push_back(std::move(candidate));
        }
    }
    if (matches.empty()) {
        return;
    }
    if (matches.size() == 1) {
        input_->SetText(matches[0] + L" ");
        return;
    }
    AddText(kWhite, typed + L"\n");
    std::wstring common = matches[0];
    for (const std::wstring& match : matches) {
        AddText(kWhite, kListIndent + match + L"\n");
        const auto differ = std::mismatch(common.begin(), common.end(), match.begin(), match.end());
        common.erase(differ.first, common.end());
    }
    input_->SetText(common);
}

} // namespace OrrelayEngine

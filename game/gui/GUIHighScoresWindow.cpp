#include "game/gui/GUIHighScoresWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"
#include "game/gui/WideNumberText.h"

namespace Tansywell {

using OrrelayEngine::Vector2;

namespace {

const std::string kTextNoRecords = "HIGH_SCORES_NO_RECORDS";
const std::string kTextBack = "BACK";
const std::string kTextOk = "OK";
const float kColumnX[3] = {296.0f, 301.0f, 525.0f};
const std::uint32_t kColumnAlign[3] = {8, 4, 8};
constexpr float kNoRecordsY = 233.0f;
// The big frame's carved rim ends at 378: the first line keeps a line's
// width below it rather than touching it.
constexpr float kFirstLineY = 334.0f;
constexpr float kLineStepY = 21.0f;
constexpr std::uint32_t kFontEntry = 3;
constexpr std::uint32_t kFontNewEntry = 4;
constexpr std::uint32_t kCategory = 0;
// Between a name and the score right of it.
constexpr float kNameGap = 12.0f;

} // namespace

GUIHighScoresWindow::GUIHighScoresWindow(OrrelayEngine::Engine* engine,
                                         GameFramework::ProfileManagerBase* profileManager, GameFramework::Mixer* mixer,
                                         GameFramework::HighScoresTable* highScores, const GameData* data,
                                         GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIHighScoresWindowBase(engine, highScores), GUIMenuWindow(engine, mixer, data, manager, kFrameBig, parent),
      profileManager_(profileManager), button_(CreateBigButton(engine, data, data->bigWindow.button[0], frameWindow_))
{
    controls_.push_back(button_);
    for (std::uint32_t column = 0; column < 3; ++column) {
        columns_[column] = guiManager_->CreateWindowFromModel(
            OrrelayEngine::GUIWindow::kFlagShown, Vector2(kColumnX[column], 0.0f), Vector2(), nullptr, frameWindow_);
    }
    SetTitleKey("HIGH_SCORES_TITLE");
    line_.reserve(64);
}

GUIHighScoresWindow::~GUIHighScoresWindow()
{
    for (OrrelayEngine::GUIWindow* column : columns_)
        guiManager_->DeleteWindow(column);
    delete button_;
}

void GUIHighScoresWindow::Show(std::uint32_t opener, const GameFramework::HighScoreEntry* newEntry)
{
    GUIHighScoresWindowBase::Show(opener, newEntry);
    SetShown(true);
    FitNames();
}

void GUIHighScoresWindow::FitNames()
{
    names_.clear();
    OrrelayEngine::GUIFontManager* fonts = guiManager_->GetFontManager();
    const std::uint32_t count = highScores_->CountEntries(kCategory);
    for (std::uint32_t n = 0; n < count; ++n) {
        const GameFramework::HighScoreEntry* entry = highScores_->GetEntry(kCategory, n);
        OrrelayEngine::GUIFont* font = fonts->FindFont(entry == newEntry_ ? kFontNewEntry : kFontEntry);
        line_.clear();
        AppendUnsignedWide(line_, entry->score);
        Vector2 score;
        if (font != nullptr)
            font->MeasureText(score, line_, 0.0f, -1.0f);
        names_.push_back(GUIMenuParts::FitText(font, entry->name, kColumnX[2] - kColumnX[1] - score.x - kNameGap));
    }
}

void GUIHighScoresWindow::Hide()
{
    GUIHighScoresWindowBase::Hide();
    SetShown(false);
}

const std::string& GUIHighScoresWindow::GetButtonCaptionKey() const
{
    return opener_ == kOpenerMainMenu ? kTextBack : kTextOk;
}

void GUIHighScoresWindow::Update()
{
    GUIHighScoresWindowBase::Update();
    GUIMenuWindow::Update();
    printedEntries_ = 0;
    if (!frameWindow_->IsVisible())
        return;
    if (button_->button->IsClicked())
        Answer();
    PrintEntries();
    button_->button->PrintTextKey(3, 1, Vector2(), color_, GetButtonCaptionKey());
}

void GUIHighScoresWindow::Answer()
{
    result_ = kResultMainMenu;
    auto* profile = dynamic_cast<Profile*>(profileManager_->GetCurrentProfile());
    if (opener_ != kOpenerGameOver || profile == nullptr)
        return;
    if (profile->GetFlag(Profile::kFlagRelaxOfferPending) && !profile->GetFlag(Profile::kFlagRelaxMode)) {
        profile->SetFlag(Profile::kFlagRelaxOfferPending, false);
        profile->Save();
        result_ = kResultRelaxOffer;
    }
}

void GUIHighScoresWindow::PrintEntries()
{
    const std::uint32_t count = highScores_->CountEntries(kCategory);
    if (count == 0)
        frameWindow_->PrintTextKey(1, kFontEntry, Vector2(0.0f, kNoRecordsY), color_, kTextNoRecords);
    for (std::uint32_t n = 0; n < count; ++n) {
        const GameFramework::HighScoreEntry* entry = highScores_->GetEntry(kCategory, n);
        const std::uint32_t font = entry == newEntry_ ? kFontNewEntry : kFontEntry;
        const Vector2 offset(0.0f, kFirstLineY - kLineStepY * static_cast<float>(n));
        line_.clear();
        AppendUnsignedWide(line_, n + 1);
        line_.push_back(L'.');
        columns_[0]->PrintText(kColumnAlign[0], font, offset, color_, line_);
        columns_[1]->PrintText(kColumnAlign[1], font, offset, color_, n < names_.size() ? names_[n] : entry->name);
        line_.clear();
        AppendUnsignedWide(line_, entry->score);
        columns_[2]->PrintText(kColumnAlign[2], font, offset, color_, line_);
        ++printedEntries_;
    }
}

} // namespace Tansywell

// The profile list: the player picks the current profile from a scrolling
// list of seven rows, and opens the new, rename and delete dialogs. The
// current profile stands first and its row cannot be clicked.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/GUIProfilesWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace OrrelayEngine {
class GUIButton;
class GUIScroll;
} // namespace OrrelayEngine

namespace Tansywell {

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kRowCount = 7;
    static constexpr float kRowWidth = 190.0f;
    static constexpr float kRowHeight = 20.0f;
    static constexpr std::uint32_t kResultBack = 3;
    static constexpr std::uint32_t kResultNew = 6;
    static constexpr std::uint32_t kResultRename = 7;
    static constexpr std::uint32_t kResultDelete = 8;

    enum Button : std::uint32_t
    {
        kNew = 0,
        kRename,
        kDelete,
        kDone,
        kButtonCount
    };

    GUIProfilesWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                      GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                      GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIProfilesWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    OrrelayEngine::GUIScroll* GetScroll() const { return scroll_; }
    OrrelayEngine::GUIButton* GetRow(std::uint32_t row) const { return rows_[row]; }
    // The name a row shows at the scroll position; empty past the list.
    const std::wstring& GetRowName(std::uint32_t row) const;
    // What the row prints of it in the font: the name, cut to the row's width
    // with an ellipsis when it is wider.
    const std::wstring& GetRowText(std::uint32_t row, std::uint32_t font) const;

private:
    void UpdateRows();
    void UpdateButtons();
    void FitNames();

    std::unique_ptr<GUIControl> listArea_;
    std::unique_ptr<GUIControl> scrollControl_;
    std::array<std::unique_ptr<GUIControl>, kButtonCount> buttons_;
    OrrelayEngine::GUIScroll* scroll_;
    std::array<OrrelayEngine::GUIButton*, kRowCount> rows_{};
    std::vector<std::wstring> names_;
    // Per row font, the names as they fit their row.
    std::array<std::vector<std::wstring>, 3> fittedNames_;
};

} // namespace Tansywell

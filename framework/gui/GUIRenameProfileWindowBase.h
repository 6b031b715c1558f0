// The framework's side of the rename screen: the result code, the name of the
// profile being renamed, and the rename itself.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIRenameProfileWindowBase
{
public:
    GUIRenameProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUIRenameProfileWindowBase();

    GUIRenameProfileWindowBase(const GUIRenameProfileWindowBase&) = delete;
    GUIRenameProfileWindowBase& operator=(const GUIRenameProfileWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(bool takeName, const std::wstring& name);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    // True when the new name is the old one in any letter case (nothing
    // changes) or the profile was renamed; false when another profile has it.
    bool RenameProfile(const std::wstring& newName);
    const std::wstring& GetOldName() const { return oldName_; }

protected:
    OrrelayEngine::Engine* engine_;
    ProfileManagerBase* profileManager_;
    std::uint32_t result_ = 0;
    std::wstring oldName_;
};

} // namespace GameFramework

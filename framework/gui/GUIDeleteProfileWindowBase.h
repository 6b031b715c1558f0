// The framework's side of the question before a profile is deleted: the
// result code, the name Show received, and the deletion.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIDeleteProfileWindowBase
{
public:
    GUIDeleteProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUIDeleteProfileWindowBase();

    GUIDeleteProfileWindowBase(const GUIDeleteProfileWindowBase&) = delete;
    GUIDeleteProfileWindowBase& operator=(const GUIDeleteProfileWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(const std::wstring& name);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    // Deletes the profile of the stored name, its files included; when it was
    // current, the first remaining profile (or none) becomes current.
    void DeleteProfile();
    const std::wstring& GetName() const { return name_; }

protected:
    OrrelayEngine::Engine* engine_;
    ProfileManagerBase* profileManager_;
    std::uint32_t result_ = 0;
    std::wstring name_;
};

} // namespace GameFramework

#include "engine/gui/GUIRadioGroupManager.h"

#include "engine/gui/GUIRadioButton.h"

namespace OrrelayEngine {

GUIRadioGroupManager::GUIRadioGroupManager(MessageManager* messageManager) : messageManager(messageManager)
{}

GUIRadioGroupManager::~GUIRadioGroupManager()
{
    // The GUI manager may delete this before the radio buttons' pool; their
    // destructors must then not reach back into a manager that is gone.
    for (auto& entry : groups) {
        entry.second->groupManager = nullptr;
    }
}

void GUIRadioGroupManager::AddButton(const std::string& groupName, GUIRadioButton* button)
{
    if (button == nullptr) {
        return;
    }
    const auto range = groups.equal_range(groupName);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == button) {
            return;
        }
    }
    groups.emplace(groupName, button);
}

void GUIRadioGroupManager::RemoveButton(const std::string& groupName, GUIRadioButton* button)
{
    const auto range = groups.equal_range(groupName);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == button) {
            groups.erase(it);
            return;
        }
    }
}

void GUIRadioGroupManager::GetGroup(const std::string& groupName, std::vector<GUIRadioButton*>& list) const
{
    list.clear();
    const auto range = groups.equal_range(groupName);
    for (auto it = range.first; it != range.second; ++it) {
        list.push_back(it->second);
    }
}

} // namespace OrrelayEngine

// Keeps radio buttons filed under their group names, so that selecting one
// can clear the others. The buttons file and unfile themselves; the manager
// owns none of them. Buttons that outlive the manager are told it is gone.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace OrrelayEngine {

class GUIRadioButton;
class MessageManager;

class GUIRadioGroupManager
{
public:
    explicit GUIRadioGroupManager(MessageManager* messageManager);
    virtual ~GUIRadioGroupManager();
    GUIRadioGroupManager(const GUIRadioGroupManager&) = delete;
    GUIRadioGroupManager& operator=(const GUIRadioGroupManager&) = delete;

    // Filing a button twice under one name files it once.
    void AddButton(const std::string& groupName, GUIRadioButton* button);
    // A button not filed under that name is ignored.
    void RemoveButton(const std::string& groupName, GUIRadioButton* button);
    // Empties the list, then fills it with every button filed under exactly
    // that name, in filing order.
    void GetGroup(const std::string& groupName, std::vector<GUIRadioButton*>& list) const;

private:
    [[maybe_unused]] MessageManager* messageManager;
    std::multimap<std::string, GUIRadioButton*> groups;
};

} // namespace OrrelayEngine

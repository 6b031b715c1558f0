// One element of a parsed XML file: its name, text, attributes and children.
// A node owns its children and attributes; a child knows its parent.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/XMLNamedValue.h"
#include "tools/XMLValue.h"

namespace GameTools {

class XMLNode
{
public:
    XMLNode();
    // Adds the new node to parent when parent is not null.
    XMLNode(const std::string& name, XMLNode* parent);
    virtual ~XMLNode();

    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    // Takes child out of its former parent (without deleting it) and appends it here.
    XMLNode* AddChild(XMLNode* child);
    // Detaches and deletes a child of this node; any other node is ignored.
    void RemoveChild(XMLNode* child);

    XMLNamedValue* FindAttribute(const std::string& name) const;
    XMLValue* GetAttribute(const std::string& name) const;
    bool HasAttribute(const std::string& name) const;
    void SetAttribute(const std::string& name, const std::wstring& text);

    const std::string& GetName() const { return name_; }
    XMLValue& GetText() { return text_; }
    XMLNode* GetParent() const { return parent_; }
    const std::vector<XMLNode*>& GetChildren() const { return children_; }
    const std::vector<XMLNamedValue*>& GetAttributes() const { return attributes_; }
    // For tests: the first child of that name, or null.
    XMLNode* FindChild(const std::string& name) const;

private:
    void Detach(XMLNode* child);

    std::string name_;
    XMLValue text_;
    std::vector<XMLNamedValue*> attributes_;
    std::multimap<std::string, XMLNamedValue*> attributesByName_;
    std::vector<XMLNode*> children_;
    std::multimap<std::string, XMLNode*> childrenByName_;
    XMLNode* parent_ = nullptr;
};

} // namespace GameTools

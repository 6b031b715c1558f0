#include "tools/XMLNode.h"

#include <algorithm>

#include "engine/core/DeleteAll.h"

namespace GameTools {

XMLNode::XMLNode() = default;

XMLNode::XMLNode(const std::string& name, XMLNode* parent) : name_(name)
{
    if (parent != nullptr) {
        parent->AddChild(this);
    }
}

XMLNode::~XMLNode()
{
    if (parent_ != nullptr) {
        XMLNode* parent = parent_;
        parent->Detach(this);
    }
    for (XMLNode* child : children_) {
        child->parent_ = nullptr;
    }
    childrenByName_.clear();
    OrrelayEngine::DeleteAll(children_);
    attributesByName_.clear();
    OrrelayEngine::DeleteAll(attributes_);
}

void XMLNode::Detach(XMLNode* child)
{
    auto range = childrenByName_.equal_range(child->name_);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == child) {
            childrenByName_.erase(it);
            break;
        }
    }
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    child->parent_ = nullptr;
}

XMLNode* XMLNode::AddChild(XMLNode* child)
{
    if (child == nullptr || child == this) {
        return child;
    }
    if (child->parent_ != nullptr) {
        child->parent_->Detach(child);
    }
    children_.push_back(child);
    childrenByName_.emplace(child->name_, child);
    child->parent_ = this;
    return child;
}

void XMLNode::RemoveChild(XMLNode* child)
{
    if (child == nullptr || std::find(children_.begin(), children_.end(), child) == children_.end()) {
        return;
    }
    Detach(child);
    delete child;
}

XMLNamedValue* XMLNode::FindAttribute(const std::string& name) const
{
    const auto it = attributesByName_.find(name);
    return it == attributesByName_.end() ? nullptr : it->second;
}

XMLValue* XMLNode::GetAttribute(const std::string& name) const
{
    XMLNamedValue* attribute = FindAttribute(name);
    return attribute == nullptr ? nullptr : &attribute->value;
}

bool XMLNode::HasAttribute(const std::string& name) const
{
    return FindAttribute(name) != nullptr;
}

void XMLNode::SetAttribute(const std::string& name, const std::wstring& text)
{
    XMLNamedValue* attribute = FindAttribute(name);
    if (attribute == nullptr) {
        attribute = new XMLNamedValue{name, XMLValue()};
        attributes_.push_back(attribute);
        attributesByName_.emplace(name, attribute);
    }
    attribute->value.SetWide(text);
}

XMLNode* XMLNode::FindChild(const std::string& name) const
{
    for (XMLNode* child : children_) {
        if (child->name_ == name) {
            return child;
        }
    }
    return nullptr;
}

} // namespace GameTools

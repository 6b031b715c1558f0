#include "tools/XMLParser.h"

#include <cwctype>
#include <memory>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "tools/XMLNode.h"

namespace GameTools {

using namespace OrrelayEngine;

namespace {

enum ErrorCode : std::uint32_t
{
    kClosingWithoutElement = 0,
    kEmptyTag = 1,
    kMismatchedClosingTag = 2,
    kEqualsWithoutName = 4,
    kSlashInsideTag = 5,
    kSlashAfterAttributeName = 6,
    kDuplicateAttribute = 7,
    kValueWithoutQuote = 8,
    kElementWithoutName = 9,
    kAttributeWithoutEquals = 10,
    kEqualsWithoutValue = 11,
    kSecondTopElement = 12,
    kTextOutsideElements = 13,
    kEndInsideTag = 14,
    kNoElement = 15
};

bool IsVisible(wchar_t c)
{
    return std::iswgraph(static_cast<wint_t>(c)) != 0;
}

struct SyntaxFault
{
    std::uint32_t code;
};

// One parse over the whole text; the state lives here so the tag reader can share it.
class ParseRun
{
public:
    ParseRun(XMLNode*& root, XMLNode* start) : root_(root), start_(start), current_(start) {}

    void Run(const std::wstring& text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            if (c == L'\n') {
                ++line_;
            }
            if (!inTag_) {
                OutsideTag(c);
            } else if (InsideTag(text, i)) {
                continue;
            }
        }
        if (inTag_) {
            throw SyntaxFault{kEndInsideTag};
        }
        if (root_ == nullptr && start_ == nullptr) {
            throw SyntaxFault{kNoElement};
        }
    }

    std::uint32_t Line() const { return line_; }

private:
    void OutsideTag(wchar_t c)
    {
        if (c == L'<') {
            inTag_ = true;
            if (current_ != nullptr) {
                std::wstring copy = content_;
                ReplaceAllWide(copy, L"\r\n", L"");
                if (!TrimWide(copy).empty()) {
                    current_->GetText().SetWide(content_);
                    content_.clear();
                }
            } else if (root_ != nullptr) {
                throw SyntaxFault{kSecondTopElement};
            }
            return;
        }
        if (current_ != nullptr) {
            content_ += c;
        } else if (IsVisible(c)) {
            throw SyntaxFault{kTextOutsideElements};
        }
    }

    // Returns true when it consumed characters beyond c (a declaration); i is moved then.
    bool InsideTag(const std::wstring& text, std::size_t& i)
    {
        const wchar_t c = text[i];
        if (c == L'/' && tag_.empty() && !inQuote_) {
            closing_ = true;
            if (current_ == nullptr) {
                throw SyntaxFault{kClosingWithoutElement};
            }
            return false;
        }
        if ((c == L'"' || c == L'\'') && !tag_.empty()) {
            tag_ += c;
            if (inQuote_ && c == quote_) {
                inQuote_ = false;
            } else if (!inQuote_) {
                inQuote_ = true;
                quote_ = c;
            }
            return false;
        }
        if (inQuote_) {
            tag_ += c;
            return false;
        }
        if (c == L'?' && tag_.empty()) {
            // A declaration: skip to its end, still counting lines.
            while (++i < text.size() && text[i] != L'>') {
                if (text[i] == L'\n') {
                    ++line_;
                }
            }
            inTag_ = false;
            return true;
        }
        if (c != L'>') {
            if (IsVisible(c) || !tag_.empty()) {
                tag_ += c;
            }
            return false;
        }
        if (tag_.empty()) {
            throw SyntaxFault{kEmptyTag};
        }
        if (closing_) {
            std::string name = WideToStringCopy(tag_);
            TrimRight(name);
            if (name != current_->GetName()) {
                throw SyntaxFault{kMismatchedClosingTag};
            }
            current_ = current_->GetParent();
            closing_ = false;
        } else {
            ReadOpeningTag();
            content_.clear();
        }
        tag_.clear();
        inTag_ = false;
        return false;
    }

    // The first element of a parse without a starting node becomes the root at
    // once, so that a fault later in its tag cannot lose it.
    XMLNode* CreateElement(const std::wstring& name, XMLNode* parent)
    {
        XMLNode* element = new XMLNode(WideToStringCopy(name), parent);
        if (root_ == nullptr && start_ == nullptr) {
            root_ = element;
        }
        current_ = element;
        return element;
    }

    void ReadOpeningTag()
    {
        XMLNode* parent = current_;
        current_ = nullptr;
        XMLNode* element = nullptr;
        std::wstring name;
        std::wstring attributeName;
        std::wstring value;
        bool nameDone = false;
        bool afterEquals = false;
        bool inValue = false;
        bool selfClosing = false;
        wchar_t valueQuote = 0;

        for (std::size_t i = 0; i < tag_.size(); ++i) {
            const wchar_t c = tag_[i];
            if (!nameDone) {
                if (IsVisible(c)) {
                    name += c;
                    continue;
                }
                if (name.empty()) {
                    continue;
                }
                nameDone = true;
                if (name == L"!--") {
                    current_ = parent;
                    return;
                }
                element = CreateElement(name, parent);
                continue;
            }
            if (inValue) {
                if (c == valueQuote) {
                    const std::string attribute = WideToStringCopy(attributeName);
                    if (element->HasAttribute(attribute)) {
                        throw SyntaxFault{kDuplicateAttribute};
                    }
                    element->SetAttribute(attribute, value);
                    attributeName.clear();
                    value.clear();
                    inValue = false;
                } else {
                    value += c;
                }
                continue;
            }
            if (!IsVisible(c)) {
                continue;
            }
            if (afterEquals) {
                if (c != L'"' && c != L'\'') {
                    throw SyntaxFault{kValueWithoutQuote};
                }
                afterEquals = false;
                inValue = true;
                valueQuote = c;
                continue;
            }
            if (c == L'=') {
                if (attributeName.empty()) {
                    throw SyntaxFault{kEqualsWithoutName};
                }
                afterEquals = true;
            } else if (c == L'/') {
                if (!attributeName.empty()) {
                    throw SyntaxFault{kSlashAfterAttributeName};
                }
                if (i + 1 != tag_.size()) {
                    throw SyntaxFault{kSlashInsideTag};
                }
                selfClosing = true;
            } else {
                attributeName += c;
            }
        }

        if (name.empty()) {
            throw SyntaxFault{kElementWithoutName};
        }
        if (!attributeName.empty() && !afterEquals && !inValue) {
            throw SyntaxFault{kAttributeWithoutEquals};
        }
        if (afterEquals) {
            throw SyntaxFault{kEqualsWithoutValue};
        }
        if (element == nullptr) {
            element = CreateElement(name, parent);
        }
        if (selfClosing) {
            current_ = parent;
        }
    }

    XMLNode*& root_;
    XMLNode* start_;
    XMLNode* current_;
    std::uint32_t line_ = 1;
    bool inTag_ = false;
    bool closing_ = false;
    bool inQuote_ = false;
    wchar_t quote_ = 0;
    std::wstring tag_;
    std::wstring content_;
};

void RunParse(XMLNode*& root, XMLNode* start, const std::wstring& text)
{
    const bool ownRoot = start == nullptr;
    ParseRun run(root, start);
    try {
        run.Run(text);
    } catch (const SyntaxFault& fault) {
        if (ownRoot && root != nullptr) {
            delete root;
            root = nullptr;
        }
        throw FileError("XML format error at line " + UIntToString(run.Line()) + ": code " + UIntToString(fault.code));
    }
}

} // namespace

XMLParser::XMLParser(FileManager* fileManager) : fileManager_(fileManager)
{}

XMLParser::XMLParser(OrrelayEngine::Engine* engine) : XMLParser(engine->GetFileManager())
{}

XMLParser::~XMLParser() = default;

std::wstring XMLParser::ReadFile(const std::string& fileName)
{
    std::unique_ptr<FileTextual> file = fileManager_->OpenTextFile(fileName, 0, 0);
    std::wstring text;
    file->ReadAllText(text, false);
    return text;
}

void XMLParser::Parse(XMLNode*& root, const std::string& fileName)
{
    ParseText(root, ReadFile(fileName));
}

void XMLParser::ParseInto(XMLNode* top, const std::string& fileName)
{
    const std::wstring text = ReadFile(fileName);
    XMLNode* unused = nullptr;
    RunParse(unused, top, text);
}

void XMLParser::ParseText(XMLNode*& root, const std::wstring& text)
{
    if (root == nullptr) {
        RunParse(root, nullptr, text);
    } else {
        XMLNode* unused = nullptr;
        RunParse(unused, root, text);
    }
}

} // namespace GameTools

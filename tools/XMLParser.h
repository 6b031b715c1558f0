// A small reader for the game's XML resource lists: elements, attributes in
// single or double quotes, declarations and comments, in one pass over the
// characters. Each syntax fault stops the parse with a FileError
// "XML format error at line <n>: code <k>".
//
// It is not a general XML processor, and some of its quirks are relied on by
// the resource lists: a '/' written straight after an element's name becomes
// part of the name, so a self-closing tag needs a blank before its '/'.
#pragma once

#include <string>

namespace OrrelayEngine {
class Engine;
class FileManager;
} // namespace OrrelayEngine

namespace GameTools {

class XMLNode;

class XMLParser
{
public:
    explicit XMLParser(OrrelayEngine::FileManager* fileManager);
    explicit XMLParser(OrrelayEngine::Engine* engine);
    virtual ~XMLParser();

    // Parses a file. When root is null on entry, the first element read becomes
    // the root (and is deleted again if the parse fails); otherwise root is the
    // starting node and the top-level elements become its children.
    void Parse(XMLNode*& root, const std::string& fileName);
    // Parses a file into top: every top-level element becomes a child of it.
    // After a fault top still belongs to the caller, with what was read so far.
    void ParseInto(XMLNode* top, const std::string& fileName);

    // Parse over text already in memory.
    static void ParseText(XMLNode*& root, const std::wstring& text);

private:
    std::wstring ReadFile(const std::string& fileName);

    OrrelayEngine::FileManager* fileManager_;
};

} // namespace GameTools

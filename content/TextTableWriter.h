// Writes text tables: per entry a "[KEY]" line and then the text on the next
// line, in UTF-8 with a byte-order mark and LF line ends, in the order added.
// The encoding is done here, not by the C library, so that the file does not
// depend on the process locale.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "content/ByteBuffer.h"

namespace Content {

class TextTableWriter
{
public:
    void Add(const std::string& key, const std::wstring& text);
    // A line written as it is, for comments and damaged tables in tests.
    void AddLine(const std::wstring& line);

    ByteBuffer Build() const;

    static void AppendUtf8(std::string& out, const std::wstring& text);

private:
    std::vector<std::wstring> lines_;
};

} // namespace Content

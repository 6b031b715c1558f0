#include "content/TextTableWriter.h"

namespace Content {

namespace {

constexpr unsigned char kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};

} // namespace

void TextTableWriter::Add(const std::string& key, const std::wstring& text)
{
    lines_.push_back(L"[" + std::wstring(key.begin(), key.end()) + L"]");
    lines_.push_back(text);
}

void TextTableWriter::AddLine(const std::wstring& line)
{
    lines_.push_back(line);
}

void TextTableWriter::AppendUtf8(std::string& out, const std::wstring& text)
{
    for (const wchar_t character : text) {
        const auto code = static_cast<std::uint32_t>(character);
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

ByteBuffer TextTableWriter::Build() const
{
    std::string text(reinterpret_cast<const char*>(kByteOrderMark), sizeof(kByteOrderMark));
    for (const std::wstring& line : lines_) {
        AppendUtf8(text, line);
        text.push_back('\n');
    }
    ByteBuffer file;
    file.PutBytes(text.data(), text.size());
    return file;
}

} // namespace Content

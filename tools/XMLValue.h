// The text of an XML attribute or element. The parser stores wide text; the
// narrow copy is made on first request, and numbers are converted on each call.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace GameTools {

class XMLValue
{
public:
    static constexpr std::uint32_t kWideCurrent = 1;
    static constexpr std::uint32_t kNarrowCurrent = 2;

    XMLValue();
    virtual ~XMLValue();

    void SetWide(const std::wstring& text);

    const std::string& GetString();
    float GetFloat() const;
    std::int32_t GetInt() const;
    bool GetBool() const;
    // Reads up to count numbers; slots for which no number is found keep their values.
    void GetIntArray(std::int32_t* out, std::uint32_t count) const;
    std::pair<std::uint32_t, std::uint32_t> GetIntPair() const;

    std::uint32_t GetTag() const { return tag_; }
    const std::wstring& GetWide() const { return wide_; }

private:
    std::uint32_t tag_ = kNarrowCurrent;
    std::string narrow_;
    std::wstring wide_;
};

} // namespace GameTools

#include "content/ContentHash.h"

namespace Content {

namespace {

std::uint64_t Mix(std::uint64_t value)
{
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    value ^= value >> 33;
    return value;
}

std::uint64_t RotateLeft(std::uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

} // namespace

void ContentHash::AddWord(std::uint64_t word)
{
    first_ = RotateLeft(first_ ^ (word * 0x87C37B91114253D5ull), 31) * 0x4CF5AD432745937Full + 0x52DCE729;
    second_ = RotateLeft(second_ ^ (word * 0x4CF5AD432745937Full), 33) * 0x87C37B91114253D5ull + 0x38495AB5;
}

void ContentHash::Add(const void* bytes, std::size_t count)
{
    const auto* in = static_cast<const std::uint8_t*>(bytes);
    length_ += count;
    std::size_t i = 0;
    while (i < count && pendingBytes_ != 0) {
        pending_ |= std::uint64_t(in[i++]) << (8 * pendingBytes_);
        if (++pendingBytes_ == 8) {
            AddWord(pending_);
            pending_ = 0;
            pendingBytes_ = 0;
        }
    }
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word = 0;
        for (int b = 7; b >= 0; --b) {
            word = (word << 8) | in[i + b];
        }
        AddWord(word);
    }
    for (; i < count; ++i) {
        pending_ |= std::uint64_t(in[i]) << (8 * pendingBytes_);
        ++pendingBytes_;
    }
}

void ContentHash::AddSized(const void* bytes, std::size_t count)
{
    const std::uint64_t size = count;
    std::uint8_t sizeBytes[8];
    for (int b = 0; b < 8; ++b) {
        sizeBytes[b] = static_cast<std::uint8_t>(size >> (8 * b));
    }
    Add(sizeBytes, sizeof sizeBytes);
    Add(bytes, count);
}

void ContentHash::AddText(const std::string& text)
{
    AddSized(text.data(), text.size());
}

void ContentHash::AddBytes(const std::vector<std::uint8_t>& bytes)
{
    AddSized(bytes.data(), bytes.size());
}

std::string ContentHash::GetHex() const
{
    std::uint64_t first = first_;
    std::uint64_t second = second_;
    const std::uint64_t tail = pending_ ^ (length_ << 3);
    first = Mix(first ^ tail ^ second);
    second = Mix(second ^ RotateLeft(tail, 17) ^ first);
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint64_t lane : {first, second}) {
        for (int shift = 60; shift >= 0; shift -= 4) {
            hex.push_back(kDigits[(lane >> shift) & 0xF]);
        }
    }
    return hex;
}

std::uint32_t ContentHash::SeedOf(const std::string& text)
{
    ContentHash hash;
    hash.AddText(text);
    return static_cast<std::uint32_t>(std::stoul(hash.GetHex().substr(0, 8), nullptr, 16));
}

} // namespace Content

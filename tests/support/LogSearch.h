// Searches a log's recorded lines, the way tests check what was reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/MessageManager.h"

namespace TestSupport {

constexpr std::uint32_t kAnyType = 0xFFFFFFFFu;

enum class LogMatch
{
    kPart,  // the line holds the text
    kWhole, // the line is the text, with or without the log's closing line feed
};

inline bool LogLineMatches(const std::string& line, std::string_view text, LogMatch match)
{
    if (match == LogMatch::kPart)
        return line.find(text) != std::string::npos;
    const std::string_view view(line);
    return view == text ||
           (view.size() == text.size() + 1 && view.back() == '\n' && view.substr(0, text.size()) == text);
}

// How many lines of the type (any with kAnyType) match the text.
inline std::uint32_t CountLogged(const OrrelayEngine::MessageManager& log, std::string_view text,
                                 LogMatch match = LogMatch::kPart, std::uint32_t type = kAnyType)
{
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < log.GetMessageCount(); ++i) {
        const OrrelayEngine::MessageManager::Message message = log.GetMessageAt(i);
        if ((type == kAnyType || message.type == type) && LogLineMatches(message.text, text, match))
            ++count;
    }
    return count;
}

inline bool Logged(const OrrelayEngine::MessageManager& log, std::string_view text, LogMatch match = LogMatch::kPart,
                   std::uint32_t type = kAnyType)
{
    return CountLogged(log, text, match, type) > 0;
}

// The texts of every line of the type, oldest first.
inline std::vector<std::string> LoggedTexts(const OrrelayEngine::MessageManager& log, std::uint32_t type = kAnyType)
{
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < log.GetMessageCount(); ++i) {
        const OrrelayEngine::MessageManager::Message message = log.GetMessageAt(i);
        if (type == kAnyType || message.type == type)
            texts.push_back(message.text);
    }
    return texts;
}

} // namespace TestSupport

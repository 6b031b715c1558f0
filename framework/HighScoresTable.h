// The best scores of each score category, kept in "high_scores.hsf" in the
// user data folder: higher scores first, equal scores oldest first, at most
// the limit per category. Categories never push each other out.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/HighScoreEntry.h"

namespace OrrelayEngine {
class Engine;
class FileManager;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {

class HeaderedFile;

class HighScoresTable
{
public:
    static constexpr char kMagic[] = "GFHSF";
    static constexpr std::uint32_t kVersion = 101;

    // Loads the file at once. A missing one gives an empty table; a damaged
    // or outdated one is kept beside itself with ".bak" added and replaced by
    // an empty table.
    HighScoresTable(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files,
                    std::uint32_t limitPerCategory, const std::string& folder);
    HighScoresTable(OrrelayEngine::Engine* engine, std::uint32_t limitPerCategory, const std::string& folder);
    virtual ~HighScoresTable();

    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // The new entry, or null when it did not make the table. Saves.
    const HighScoreEntry* Insert(const std::wstring& name, std::uint32_t scoreCategory, std::uint32_t score);
    // The n-th entry (from 0) of the category in table order, or null.
    const HighScoreEntry* GetEntry(std::uint32_t scoreCategory, std::uint32_t n) const;
    std::uint32_t CountEntries(std::uint32_t scoreCategory) const;
    void Clear();

    // A failed save is logged and keeps the old file. False when it failed.
    bool Save();

    std::string GetFilePath() const;
    std::uint32_t GetNextSerial() const { return nextSerial_; }
    std::uint32_t GetLimitPerCategory() const { return limit_; }

private:
    void Load();

    OrrelayEngine::MessageManager* log_;
    std::unique_ptr<HeaderedFile> file_;
    std::uint32_t limit_;
    std::vector<std::unique_ptr<HighScoreEntry>> entries_;
    std::string folder_;
    std::uint32_t nextSerial_ = 0;
};

} // namespace GameFramework

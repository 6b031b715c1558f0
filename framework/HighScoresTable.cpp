#include "framework/HighScoresTable.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "framework/BinaryFields.h"
#include "framework/HeaderedFile.h"

namespace GameFramework {

namespace {

const char kFileName[] = "high_scores.hsf";
// A wide string of at least its count byte, then three u32.
constexpr std::uint32_t kEntryMinimumBytes = 13;

bool InTableOrder(const std::unique_ptr<HighScoreEntry>& a, const std::unique_ptr<HighScoreEntry>& b)
{
    if (a->score != b->score)
        return a->score > b->score;
    return a->serial < b->serial;
}

} // namespace

HighScoresTable::HighScoresTable(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files,
                                 std::uint32_t limitPerCategory, const std::string& folder)
    : log_(log), file_(std::make_unique<HeaderedFile>(files, kMagic, kVersion)), limit_(limitPerCategory),
      folder_(folder)
{
    Load();
}

HighScoresTable::HighScoresTable(OrrelayEngine::Engine* engine, std::uint32_t limitPerCategory,
                                 const std::string& folder)
    : HighScoresTable(engine->GetMessageManager(), engine->GetFileManager(), limitPerCategory, folder)
{}

HighScoresTable::~HighScoresTable()
{
    entries_.clear();
    file_.reset();
}

std::string HighScoresTable::GetFilePath() const
{
    return folder_ + "\\" + kFileName;
}

void HighScoresTable::Load()
{
    try {
        file_->Open(GetFilePath(), HeaderedFile::kModeRead);
        OrrelayEngine::FileBinary& file = *file_->GetFile();
        nextSerial_ = ReadUInt32(file);
        const std::uint32_t count = ReadUInt32(file);
        CheckCountFits(file, count, kEntryMinimumBytes);
        entries_.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            auto entry = std::make_unique<HighScoreEntry>();
            entry->name = ReadName(file);
            entry->scoreCategory = ReadUInt32(file);
            entry->score = ReadUInt32(file);
            entry->serial = ReadUInt32(file);
            // New entries must come after every stored one, or a tie would
            // put the new score above an older equal one.
            if (entry->serial >= nextSerial_ && entry->serial != UINT32_MAX)
                nextSerial_ = entry->serial + 1;
            entries_.push_back(std::move(entry));
        }
        file_->Close();
    } catch (const OrrelayEngine::FileError& error) {
        file_->Abandon();
        nextSerial_ = 0;
        entries_.clear();
        // A missing file is a first start; one that cannot be read is
        // reported, so that a player who loses it finds why in the log.
        const bool damaged = file_->Exists(GetFilePath());
        if (!file_->SetAsideDamaged(GetFilePath())) {
            log_->LogError("High scores \"" + GetFilePath() +
                           "\" are damaged and could not be set aside: " + error.GetMessage());
        } else {
            if (damaged)
                log_->LogError("High scores \"" + GetFilePath() +
                               "\" are damaged and kept as \".bak\": " + error.GetMessage());
            Save();
        }
    }
}

const HighScoreEntry* HighScoresTable::Insert(const std::wstring& name, std::uint32_t scoreCategory,
                                              std::uint32_t score)
{
    auto created = std::make_unique<HighScoreEntry>();
    created->name = name;
    created->scoreCategory = scoreCategory;
    created->score = score;
    created->serial = nextSerial_++;
    const HighScoreEntry* result = created.get();
    entries_.push_back(std::move(created));

    std::stable_sort(entries_.begin(), entries_.end(), InTableOrder);

    std::uint32_t seen = 0;
    for (std::unique_ptr<HighScoreEntry>& entry : entries_) {
        if (entry->scoreCategory != scoreCategory)
            continue;
        if (++seen > limit_) {
            if (entry.get() == result)
                result = nullptr;
            entry.reset();
        }
    }
    entries_.erase(std::remove(entries_.begin(), entries_.end(), nullptr), entries_.end());
    Save();
    return result;
}

const HighScoreEntry* HighScoresTable::GetEntry(std::uint32_t scoreCategory, std::uint32_t n) const
{
    std::uint32_t seen = 0;
    for (const std::unique_ptr<HighScoreEntry>& entry : entries_) {
        if (entry->scoreCategory != scoreCategory)
            continue;
        if (seen++ == n)
            return entry.get();
    }
    return nullptr;
}

std::uint32_t HighScoresTable::CountEntries(std::uint32_t scoreCategory) const
{
    std::uint32_t count = 0;
    for (const std::unique_ptr<HighScoreEntry>& entry : entries_) {
        if (entry->scoreCategory == scoreCategory)
            ++count;
    }
    return count;
}

void HighScoresTable::Clear()
{
    nextSerial_ = 0;
    entries_.clear();
    Save();
}

bool HighScoresTable::Save()
{
    const auto writeBody = [this](OrrelayEngine::FileBinary& file) {
        WriteUInt32(file, nextSerial_);
        WriteUInt32(file, static_cast<std::uint32_t>(entries_.size()));
        for (const std::unique_ptr<HighScoreEntry>& entry : entries_) {
            file.WriteWideString(entry->name);
            WriteUInt32(file, entry->scoreCategory);
            WriteUInt32(file, entry->score);
            WriteUInt32(file, entry->serial);
        }
    };
    return file_->Save(GetFilePath(), writeBody, log_, "High scores");
}

} // namespace GameFramework

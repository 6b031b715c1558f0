// The engine's log: an HTML page of coloured messages, plus the messages of the
// current frame kept in memory for the console.
//
// It is created before the file layer, so it writes its file with the runtime
// library's streams directly. It never creates its folder: on a first run, before
// the user data folder exists, no log is written. Safe to use from the loading
// thread and the main thread at once: each message reaches the file and the list
// whole. The log never reports its own failures; only LogFatal throws.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace OrrelayEngine {

struct Color;

class MessageManager
{
public:
    enum MessageType : std::uint32_t
    {
        kInformation = 0,
        kWarning = 1,
        kError = 2,
        kFatal = 3
    };

    struct Message
    {
        std::uint32_t type = kInformation;
        std::string text;
    };

    MessageManager(const std::string& applicationName, bool writeToFile, bool reopenForEveryMessage,
                   const std::string& folder, const std::string& fileName);
    virtual ~MessageManager();

    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    void LogInfo(const std::string& text);
    void LogWarning(const std::string& text);
    void LogError(const std::string& text);
    // Writes the message and throws FatalError carrying text alone.
    [[noreturn]] void LogFatal(const std::string& text);

    void SetSpacing(bool spacing);

    std::uint32_t GetMessageCount() const;
    // A copy, so that it stays valid while another thread logs.
    Message GetMessageAt(std::uint32_t index) const;
    void ClearMessages();

    // The path as the engine spells it (backslashes); empty when writing to file
    // is off. Platform::ToNativePath gives the file on disk.
    const std::string& GetFilePath() const;

private:
    // Log takes the mutex; Compose and the writers below expect it held.
    std::string Compose(std::uint32_t type, const std::string& text) const;
    void Log(std::uint32_t type, const std::string& callerText);
    void WriteConverted(const std::string& html);
    void WriteFontOpening(const Color& color);
    void WriteFontClosing();
    bool OpenForAppend();
    void CloseIfReopening();
    std::string MakeHeading(const char* label) const;

    std::string applicationName_;
    bool spacing_ = true;
    bool writeToFile_ = false;
    bool reopenForEveryMessage_ = false;
    std::string filePath_;
    std::FILE* file_ = nullptr;
    std::vector<Message> messages_;
    mutable std::mutex mutex_;
};

} // namespace OrrelayEngine

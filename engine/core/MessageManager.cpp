#include "engine/core/MessageManager.h"

#include <cstring>
#include <ctime>

#include "engine/core/Color.h"
#include "engine/core/FatalError.h"
#include "engine/core/StringHelpers.h"
#include "platform/FileSystem.h"

namespace OrrelayEngine {

namespace {

const Color kBackgroundColor(0.0f, 0.0f, 0.0f, 1.0f);
const Color kTextColor(1.0f, 1.0f, 1.0f, 1.0f);
const Color kHeadingColor(0.0f, 1.0f, 0.0f, 1.0f);
const Color kWarningColor(0.5f, 0.5f, 0.5f, 1.0f);
const Color kErrorColor(1.0f, 0.0f, 0.0f, 1.0f);

const Color& ColorOfType(std::uint32_t type)
{
    switch (type) {
    case MessageManager::kWarning:
        return kWarningColor;
    case MessageManager::kError:
    case MessageManager::kFatal:
        return kErrorColor;
    default:
        return kTextColor;
    }
}

// Each component times 255, truncated toward zero, as two upper-case hex digits.
std::string ToHtmlColor(const Color& color)
{
    const auto component = [](float value) {
        const float scaled = value * 255.0f;
        if (!(scaled > 0.0f)) {
            return 0U;
        }
        return scaled >= 255.0f ? 255U : static_cast<unsigned>(scaled);
    };
    char buffer[8];
    std::snprintf(buffer, sizeof(buffer), "#%02X%02X%02X", component(color.r), component(color.g), component(color.b));
    return buffer;
}

// The local time in the C library's ctime() layout without its line feed,
// built here because ctime() shares one buffer between threads.
std::string CurrentDateAndTime()
{
    static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return std::string();
    }
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kWeekdays[local.tm_wday % 7],
                  kMonths[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  1900 + local.tm_year);
    return buffer;
}

bool IsAbsoluteFolder(const std::string& folder)
{
    return (!folder.empty() && folder[0] == '/') || (folder.size() >= 2 && folder[1] == ':');
}

} // namespace

MessageManager::MessageManager(const std::string& applicationName, bool writeToFile, bool reopenForEveryMessage,
                               const std::string& folder, const std::string& fileName)
    : applicationName_(applicationName), writeToFile_(writeToFile), reopenForEveryMessage_(reopenForEveryMessage)
{
    if (!writeToFile_) {
        return;
    }
    const std::string name = (fileName.empty() ? applicationName_ : fileName) + ".html";
    if (folder.empty()) {
        filePath_ = GetProgramFolder() + "\\" + name;
    } else if (IsAbsoluteFolder(folder)) {
        filePath_ = folder + "\\" + name;
    } else {
        filePath_ = GetProgramFolder() + "\\" + folder + "\\" + name;
    }

    // The folder is not created: before the user data folder exists there is no log.
    file_ = std::fopen(Platform::ToNativePath(filePath_).c_str(), "w");
    if (file_ == nullptr) {
        return;
    }
    WriteConverted("<HTML>");
    WriteConverted("<HEAD>");
    WriteConverted("<TITLE>" + applicationName_ + " Log</TITLE>");
    WriteConverted("</HEAD>");
    WriteConverted("<BODY bgcolor=\"" + ToHtmlColor(kBackgroundColor) + "\">");
    // Stays open until the closing, so that information needs no font of its own.
    WriteFontOpening(kTextColor);
    WriteFontOpening(kTextColor);
    WriteConverted("======== ");
    WriteFontClosing();
    WriteFontOpening(kHeadingColor);
    WriteConverted(MakeHeading(" Log: "));
    WriteFontClosing();
    WriteFontOpening(kTextColor);
    WriteConverted(" ========\n\n");
    WriteFontClosing();
    std::fflush(file_);
    CloseIfReopening();
}

MessageManager::~MessageManager()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!writeToFile_ || !OpenForAppend()) {
        return;
    }
    WriteFontOpening(kTextColor);
    WriteConverted("\n======== ");
    WriteFontClosing();
    WriteFontOpening(kHeadingColor);
    WriteConverted(MakeHeading(" Log end: "));
    WriteFontClosing();
    WriteFontOpening(kTextColor);
    WriteConverted(" ========\n");
    WriteFontClosing();
    WriteFontClosing();
    WriteConverted("</BODY>");
    WriteConverted("</HTML>");
    std::fclose(file_);
    file_ = nullptr;
}

void MessageManager::LogInfo(const std::string& text)
{
    Log(kInformation, text);
}

void MessageManager::LogWarning(const std::string& text)
{
    Log(kWarning, text);
}

void MessageManager::LogError(const std::string& text)
{
    Log(kError, text);
}

void MessageManager::LogFatal(const std::string& text)
{
    Log(kFatal, text);
    throw FatalError(text);
}

void MessageManager::SetSpacing(bool spacing)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    spacing_ = spacing;
}

std::uint32_t MessageManager::GetMessageCount() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::uint32_t>(messages_.size());
}

MessageManager::Message MessageManager::GetMessageAt(std::uint32_t index) const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return index < messages_.size() ? messages_[index] : Message();
}

void MessageManager::ClearMessages()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    messages_.clear();
}

const std::string& MessageManager::GetFilePath() const
{
    return filePath_;
}

std::string MessageManager::Compose(std::uint32_t type, const std::string& text) const
{
    switch (type) {
    case kWarning:
        return spacing_ ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n";
    case kError:
        return spacing_ ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n";
    case kFatal:
        return "PROGRAM ABORTING: " + text + "\n";
    default:
        return spacing_ ? text + "\n" : text;
    }
}

void MessageManager::Log(std::uint32_t type, const std::string& callerText)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    // Composed under the lock, so a spacing switch on another thread never
    // splits one message between two layouts.
    const std::string text = Compose(type, callerText);
    if (writeToFile_ && OpenForAppend()) {
        const Color& color = ColorOfType(type);
        if (color != kTextColor) {
            WriteFontOpening(color);
            WriteConverted(text);
            WriteFontClosing();
        } else {
            WriteConverted(text);
        }
        // A log that stops short of a crash would hide what led to it.
        std::fflush(file_);
        CloseIfReopening();
    }
    Message message;
    message.type = type;
    message.text = text;
    messages_.push_back(std::move(message));
}

void MessageManager::WriteConverted(const std::string& html)
{
    // No line feed reaches the file: the page is one line of HTML.
    static const char kLineBreak[] = "<BR>";
    std::string::size_type start = 0;
    while (start < html.size()) {
        const std::string::size_type lineFeed = html.find('\n', start);
        const std::string::size_type end = lineFeed == std::string::npos ? html.size() : lineFeed;
        std::fwrite(html.data() + start, 1, end - start, file_);
        if (lineFeed == std::string::npos) {
            break;
        }
        std::fwrite(kLineBreak, 1, std::strlen(kLineBreak), file_);
        start = lineFeed + 1;
    }
}

void MessageManager::WriteFontOpening(const Color& color)
{
    WriteConverted("<FONT color=\"" + ToHtmlColor(color) + "\">");
}

void MessageManager::WriteFontClosing()
{
    WriteConverted("</FONT>");
}

bool MessageManager::OpenForAppend()
{
    if (reopenForEveryMessage_ && file_ == nullptr) {
        file_ = std::fopen(Platform::ToNativePath(filePath_).c_str(), "a");
    }
    return file_ != nullptr;
}

void MessageManager::CloseIfReopening()
{
    if (reopenForEveryMessage_ && file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

std::string MessageManager::MakeHeading(const char* label) const
{
    return applicationName_ + label + CurrentDateAndTime();
}

} // namespace OrrelayEngine

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "platform/FileSystem.h"
#include "support/AllocationCounter.h"
#include "support/ScratchFolder.h"

namespace OrrelayEngine {
namespace {

namespace fs = std::filesystem;

const char kApplication[] = "Quillory";
const char kDatePattern[] = "(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                            "[ 123][0-9] [012][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}";
const char kHeaderEnd[] = " ========<BR><BR></FONT>";
const char kClosingStart[] = "<FONT color=\"#FFFFFF\"><BR>======== </FONT>";

class MessageManagerTest : public testing::Test
{
protected:
    std::unique_ptr<MessageManager> MakeLog(bool writeToFile = true, bool reopen = false) const
    {
        return std::make_unique<MessageManager>(kApplication, writeToFile, reopen, folder_.string(), "");
    }

    std::string LogPath() const { return (folder_ / "Quillory.html").string(); }

    std::string ReadLog() const
    {
        std::ifstream in(LogPath(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    // What the messages wrote, between the header and the closing.
    std::string ReadBody() const
    {
        const std::string html = ReadLog();
        const auto start = html.find(kHeaderEnd);
        const auto end = html.rfind(kClosingStart);
        if (start == std::string::npos || end == std::string::npos || end < start) {
            ADD_FAILURE() << "no header or closing in: " << html;
            return std::string();
        }
        const auto bodyStart = start + sizeof(kHeaderEnd) - 1;
        return html.substr(bodyStart, end - bodyStart);
    }

    TestSupport::ScratchFolder scratch_;
    fs::path folder_ = scratch_.Root();
};

TEST_F(MessageManagerTest, PageHasTheExactHeaderAndClosing)
{
    MakeLog().reset();
    const std::string html = ReadLog();
    const std::string pattern = std::string("<HTML><HEAD><TITLE>Quillory Log</TITLE></HEAD><BODY bgcolor=\"#000000\">"
                                            "<FONT color=\"#FFFFFF\"><FONT color=\"#FFFFFF\">======== </FONT>"
                                            "<FONT color=\"#00FF00\">Quillory Log: ") +
                                kDatePattern +
                                "</FONT><FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>"
                                "<FONT color=\"#FFFFFF\"><BR>======== </FONT>"
                                "<FONT color=\"#00FF00\">Quillory Log end: " +
                                kDatePattern +
                                "</FONT><FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";
    EXPECT_TRUE(std::regex_match(html, std::regex(pattern))) << html;
}

TEST_F(MessageManagerTest, MessagesAreWrittenAndRecordedInTheirLayout)
{
    using LogOperation = void (MessageManager::*)(const std::string&);
    struct Case
    {
        LogOperation operation;
        std::uint32_t type;
        bool spacing;
        std::string text, recorded, html;
    };
    const LogOperation info = &MessageManager::LogInfo;
    const LogOperation warning = &MessageManager::LogWarning;
    const LogOperation error = &MessageManager::LogError;
    const Case cases[] = {
        {info, 0, true, "Loading", "Loading\n", "Loading<BR>"},
        {info, 0, false, "Loading", "Loading", "Loading"},
        {info, 0, true, "two\nlines", "two\nlines\n", "two<BR>lines<BR>"},
        {info, 0, false, "a<b> & c\r", "a<b> & c\r", "a<b> & c\r"}, // nothing else is escaped
        {warning, 1, true, "Low", "\nWarning: Low!\n\n", "<FONT color=\"#7F7F7F\"><BR>Warning: Low!<BR><BR></FONT>"},
        {warning, 1, false, "Low", "Warning: Low!\n", "<FONT color=\"#7F7F7F\">Warning: Low!<BR></FONT>"},
        {error, 2, true, "Bad", "\nError: Bad!\n\n", "<FONT color=\"#FF0000\"><BR>Error: Bad!<BR><BR></FONT>"},
        {error, 2, false, "Bad", "Error: Bad!\n", "<FONT color=\"#FF0000\">Error: Bad!<BR></FONT>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recorded);
        auto log = MakeLog();
        log->SetSpacing(c.spacing);
        ((*log).*c.operation)(c.text);
        ASSERT_EQ(log->GetMessageCount(), 1u);
        EXPECT_EQ(log->GetMessageAt(0).type, c.type);
        EXPECT_EQ(log->GetMessageAt(0).text, c.recorded);
        log.reset();
        EXPECT_EQ(ReadBody(), c.html);
    }
}

TEST_F(MessageManagerTest, FatalMessageIsWrittenThenThrownWithTheCallerText)
{
    auto log = MakeLog();
    log->SetSpacing(false); // fatal messages have one layout whatever the spacing
    try {
        log->LogFatal("Out of memory");
        FAIL() << "LogFatal returned";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetMessage(), "Out of memory");
    }
    ASSERT_EQ(log->GetMessageCount(), 1u);
    EXPECT_EQ(log->GetMessageAt(0).type, static_cast<std::uint32_t>(MessageManager::kFatal));
    EXPECT_EQ(log->GetMessageAt(0).text, "PROGRAM ABORTING: Out of memory\n");
    log.reset();
    EXPECT_EQ(ReadBody(), "<FONT color=\"#FF0000\">PROGRAM ABORTING: Out of memory<BR></FONT>");
}

TEST_F(MessageManagerTest, MessagesReachTheFileWhileTheLogIsOpen)
{
    for (const bool reopen : {false, true}) {
        SCOPED_TRACE(reopen ? "reopen" : "kept open");
        auto log = MakeLog(true, reopen);
        log->LogInfo("first");
        log->LogError("second");
        const std::string html = ReadLog();
        EXPECT_NE(html.find("first<BR><FONT color=\"#FF0000\"><BR>Error: second!<BR><BR></FONT>"), std::string::npos)
            << html;
        log.reset();
        EXPECT_EQ(ReadBody(), "first<BR><FONT color=\"#FF0000\"><BR>Error: second!<BR><BR></FONT>");
    }
}

TEST_F(MessageManagerTest, NoFileWhileTheFolderIsMissing)
{
    const fs::path missing = folder_ / "Quorvane Games";
    auto log = std::make_unique<MessageManager>(kApplication, true, false, missing.string(), "Quillory");
    log->LogInfo("first run");
    EXPECT_EQ(log->GetMessageCount(), 1u) << "messages are still recorded";
    log.reset();
    EXPECT_FALSE(fs::exists(missing)) << "the log never creates its folder";
}

TEST_F(MessageManagerTest, ReopeningLogWritesOnceTheFolderAppears)
{
    const fs::path later = folder_ / "later";
    auto log = std::make_unique<MessageManager>(kApplication, true, true, later.string(), "");
    log->LogInfo("lost");
    fs::create_directories(later);
    log->LogInfo("kept");
    log.reset();
    std::ifstream in(later / "Quillory.html", std::ios::binary);
    std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(html.rfind("kept<BR>", 0), 0u) << "no header, then the message: " << html;
    EXPECT_EQ(html.find("lost"), std::string::npos);
}

TEST_F(MessageManagerTest, FilePathFollowsTheFolderForm)
{
    struct Case
    {
        std::string folder;
        std::string fileName;
        std::string expected;
    };
    const std::string program = GetProgramFolder();
    const Case cases[] = {
        {"no_such_folder_here", "Log", program + "\\no_such_folder_here\\Log.html"},
        {"Z:\\Users\\Nobody", "Quillory", "Z:\\Users\\Nobody\\Quillory.html"},
        {"/no/such/folder", "", "/no/such/folder\\Quillory.html"},
    };
    for (const Case& c : cases) {
        MessageManager log(kApplication, true, false, c.folder, c.fileName);
        EXPECT_EQ(log.GetFilePath(), c.expected);
    }
    MessageManager off(kApplication, false, false, "/no/such/folder", "");
    EXPECT_EQ(off.GetFilePath(), "");
}

TEST_F(MessageManagerTest, ListCountsEveryMessageWithWritingOff)
{
    auto log = MakeLog(false);
    log->LogInfo("a");
    log->LogWarning("b");
    log->LogError("c");
    EXPECT_THROW(log->LogFatal("d"), FatalError);
    ASSERT_EQ(log->GetMessageCount(), 4u);
    for (std::uint32_t index = 0; index < 4; ++index) {
        EXPECT_EQ(log->GetMessageAt(index).type, index);
    }
    EXPECT_EQ(log->GetMessageAt(4).text, "") << "beyond the list: an empty record";
    log->ClearMessages();
    EXPECT_EQ(log->GetMessageCount(), 0u);
    log.reset();
    EXPECT_FALSE(fs::exists(LogPath()));
}

TEST_F(MessageManagerTest, ConcurrentMessagesStayWhole)
{
    constexpr int kMessagesPerThread = 400;
    auto log = MakeLog();
    const auto writer = [&log](char name) {
        for (int index = 0; index < kMessagesPerThread; ++index) {
            log->LogInfo(std::string(1, name) + " message " + std::to_string(index) + " of this thread");
        }
    };
    std::thread first(writer, 'A');
    std::thread second(writer, 'B');
    first.join();
    second.join();
    EXPECT_EQ(log->GetMessageCount(), 2u * kMessagesPerThread);
    for (std::uint32_t index = 0; index < log->GetMessageCount(); ++index) {
        ASSERT_TRUE(
            std::regex_match(log->GetMessageAt(index).text, std::regex("[AB] message [0-9]+ of this thread\n")));
    }
    log.reset();

    const std::string body = ReadBody();
    const std::regex whole("[AB] message [0-9]+ of this thread");
    std::size_t lines = 0;
    std::size_t start = 0;
    for (std::size_t end = body.find("<BR>"); end != std::string::npos; end = body.find("<BR>", start)) {
        ASSERT_TRUE(std::regex_match(body.substr(start, end - start), whole)) << body.substr(start, end - start);
        ++lines;
        start = end + 4;
    }
    EXPECT_EQ(start, body.size());
    EXPECT_EQ(lines, 2u * kMessagesPerThread);
}

TEST_F(MessageManagerTest, ClearingAnEmptyFrameAllocatesNothing)
{
    auto log = MakeLog();
    log->LogInfo("a message from loading");
    log->ClearMessages();
    log->ClearMessages();
    TestSupport::ScopedAllocationCount allocations;
    for (int frame = 0; frame < 100; ++frame) {
        log->ClearMessages();
    }
    EXPECT_EQ(allocations.Count(), 0u);
    EXPECT_EQ(log->GetMessageCount(), 0u);
}

} // namespace
} // namespace OrrelayEngine

// A scratch folder with a log and a file manager over it, for the image and
// shader file tests: fixtures are written there by the content writers and
// read back through the engine's file layer.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/ByteBuffer.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"

namespace OrrelayEngine {

class RenderFileFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("quillory_render_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                   std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        log_ = std::make_unique<MessageManager>("Quillory", false, false, "", "");
        files_ = std::make_unique<FileManager>(log_.get(), folder_.string(), "");
    }

    void TearDown() override
    {
        files_.reset();
        log_.reset();
        std::filesystem::remove_all(folder_);
    }

    // name is relative to the scratch folder, in the engine's spelling.
    void SaveFixture(std::string name, const Content::ByteBuffer& bytes)
    {
        std::replace(name.begin(), name.end(), '\\', '/');
        const std::filesystem::path path = folder_ / name;
        std::filesystem::create_directories(path.parent_path());
        bytes.Save(path.string());
    }

    std::vector<std::string> LoggedErrors() const
    {
        std::vector<std::string> errors;
        for (std::uint32_t i = 0; i < log_->GetMessageCount(); ++i)
        {
            const MessageManager::Message message = log_->GetMessageAt(i);
            if (message.type == MessageManager::kError)
                errors.push_back(message.text);
        }
        return errors;
    }

    // True when an error line "Error: <text>!" was logged.
    bool ErrorLogged(const std::string& text) const
    {
        for (const std::string& error : LoggedErrors())
        {
            if (error.find("Error: " + text + "!") != std::string::npos)
                return true;
        }
        return false;
    }

    std::filesystem::path folder_;
    std::unique_ptr<MessageManager> log_;
    std::unique_ptr<FileManager> files_;
};

} // namespace OrrelayEngine

// A scratch folder with a log and a file manager over it, for the image and
// shader file tests: fixtures are written there by the content writers and
// read back through the engine's file layer.
#pragma once

#include "support/ScratchFolder.h"
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
#include "support/LogSearch.h"

namespace OrrelayEngine {

class RenderFileFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        log_ = std::make_unique<MessageManager>("Quillory", false, false, "", "");
        files_ = std::make_unique<FileManager>(log_.get(), folder_.string(), "");
    }

    void TearDown() override
    {
        files_.reset();
        log_.reset();
    }

    // name is relative to the scratch folder, in the engine's spelling.
    void SaveFixture(std::string name, const Content::ByteBuffer& bytes)
    {
        std::replace(name.begin(), name.end(), '\\', '/');
        const std::filesystem::path path = folder_ / name;
        std::filesystem::create_directories(path.parent_path());
        bytes.Save(path.string());
    }

    std::vector<std::string> LoggedErrors() const { return TestSupport::LoggedTexts(*log_, MessageManager::kError); }

    // True when an error line "Error: <text>!" was logged.
    bool ErrorLogged(const std::string& text) const
    {
        for (const std::string& error : LoggedErrors()) {
            if (error.find("Error: " + text + "!") != std::string::npos)
                return true;
        }
        return false;
    }

    TestSupport::ScratchFolder scratch_;
    std::filesystem::path folder_ = scratch_.Root();
    std::unique_ptr<MessageManager> log_;
    std::unique_ptr<FileManager> files_;
};

} // namespace OrrelayEngine

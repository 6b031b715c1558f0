#include <gtest/gtest.h>

#include <string>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"

namespace OrrelayEngine {
namespace {

TEST(Error, RethrownCopyKeepsItsClassAndMessage)
{
    try {
        try {
            throw FileError("Incorrect pack file format");
        } catch (const FileError& error) {
            // What the file manager does after releasing its buffer.
            throw FileError(error);
        }
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetMessage(), "Incorrect pack file format");
        const Error& base = error;
        const Error copy(base);
        EXPECT_EQ(copy.GetMessage(), "Incorrect pack file format");
        return;
    } catch (...) {
    }
    ADD_FAILURE() << "the copy did not reach the FileError handler";
}

} // namespace
} // namespace OrrelayEngine

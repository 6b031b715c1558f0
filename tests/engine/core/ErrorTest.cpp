#include <gtest/gtest.h>

#include <string>

#include "engine/core/Error.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"

namespace OrrelayEngine {
namespace {

// Which handler a thrown exception reaches first: "file", "fatal" or "error".
template <typename Thrown>
std::string CaughtBy(const Thrown& thrown, std::string& message)
{
    try {
        throw thrown;
    } catch (const FileError& error) {
        message = error.GetMessage();
        return "file";
    } catch (const FatalError& error) {
        message = error.GetMessage();
        return "fatal";
    } catch (const Error& error) {
        message = error.GetMessage();
        return "error";
    }
}

TEST(Error, EachKindReachesItsOwnHandlerBeforeTheBase)
{
    std::string message;
    EXPECT_EQ(CaughtBy(FileError("Failed to open \"a\" file"), message), "file");
    EXPECT_EQ(message, "Failed to open \"a\" file");
    EXPECT_EQ(CaughtBy(FatalError("Out of memory"), message), "fatal") << "a FileError handler must not take it";
    EXPECT_EQ(message, "Out of memory");
    EXPECT_EQ(CaughtBy(Error(""), message), "error");
    EXPECT_EQ(message, "");

    // A base handler alone takes both derived kinds.
    EXPECT_THROW(throw FileError("f"), Error);
    EXPECT_THROW(throw FatalError("x"), Error);
}

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

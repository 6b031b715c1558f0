// Scoped owner of a HeaderedFile: when it goes, the file is closed and the
// object deleted. A write still open at that moment is completed; a failure to
// complete it keeps the old file and is not reported (there is no one to tell).
#pragma once

#include <memory>

#include "framework/HeaderedFile.h"

namespace GameFramework {

class HeaderedFilePtr
{
public:
    HeaderedFilePtr() = default;
    explicit HeaderedFilePtr(HeaderedFile* file) : file_(file) {}
    ~HeaderedFilePtr() { Reset(); }

    HeaderedFilePtr(const HeaderedFilePtr&) = delete;
    HeaderedFilePtr& operator=(const HeaderedFilePtr&) = delete;

    HeaderedFile* Get() const { return file_.get(); }
    HeaderedFile* operator->() const { return file_.get(); }
    HeaderedFile& operator*() const { return *file_; }
    explicit operator bool() const { return file_ != nullptr; }

    // Closes and deletes the file held, then holds the new one.
    void Reset(HeaderedFile* file = nullptr);

private:
    std::unique_ptr<HeaderedFile> file_;
};

} // namespace GameFramework

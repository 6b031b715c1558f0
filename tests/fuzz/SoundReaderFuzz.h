// The body of the sound-reader fuzz targets: the input is written as a file
// and opened with the reader, which must refuse it with a FileError or read it
// to an end twice (with a rewind between), never crash, hang or, where the
// format announces its size, deliver more than it announced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzUserFolder.h"
#include "engine/core/FileError.h"

namespace FuzzTargets {

template <typename Reader>
void DrainSoundReader(Reader& reader, bool announcesItsSize)
{
    std::vector<std::uint8_t> buffer(4099);
    std::uint64_t total = 0;
    bool atEnd = false;
    while (!atEnd) {
        std::uint32_t got = 0;
        reader.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), got, atEnd);
        total += got;
        if (got == 0 && !atEnd) {
            __builtin_trap();
        }
    }
    if (announcesItsSize && total > reader.GetTotalBytes()) {
        __builtin_trap();
    }
}

template <typename Reader, typename FormatCheck>
int FuzzSoundReader(const std::uint8_t* data, std::size_t size, const std::string& fileName, FormatCheck formatIsValid,
                    bool announcesItsSize)
{
    FuzzUserFolder& folder = FuzzUserFolder::Get();
    folder.Reset();
    folder.Place(fileName, data, size);
    try {
        Reader reader(&folder.Log(), &folder.Files(), folder.UserFolder() + "\\" + fileName);
        if (!formatIsValid(reader)) {
            __builtin_trap();
        }
        DrainSoundReader(reader, announcesItsSize);
        reader.Rewind();
        DrainSoundReader(reader, announcesItsSize);
    } catch (const OrrelayEngine::FileError&) {
    }
    return 0;
}

} // namespace FuzzTargets

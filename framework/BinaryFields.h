// Little-endian fields of the player-data files, read from and written to a
// FileBinary one by one, whatever the machine's own byte order. Short reads and
// writes throw FileError, as FileBinary's own do.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class FileBinary;
}

namespace GameFramework {

std::uint8_t ReadUInt8(OrrelayEngine::FileBinary& file);
void WriteUInt8(OrrelayEngine::FileBinary& file, std::uint8_t value);
std::uint32_t ReadUInt32(OrrelayEngine::FileBinary& file);
void WriteUInt32(OrrelayEngine::FileBinary& file, std::uint32_t value);
// IEEE single precision, stored as its bit pattern.
float ReadFloat32(OrrelayEngine::FileBinary& file);
void WriteFloat32(OrrelayEngine::FileBinary& file, float value);

// The longest name a file may hold, in 16-bit code units: the count byte
// includes the terminating zero.
constexpr std::uint32_t kMaxNameCodeUnits = 254;

// A wide string as the player-data files store it; a count of 0 gives an empty
// name, and a name without its terminating zero is cut to kMaxNameCodeUnits.
std::wstring ReadName(OrrelayEngine::FileBinary& file);

// Throws FileError naming the file when fewer than count records of at least
// minimumRecordBytes each could still follow: a count read from a file is
// checked before anything is allocated for it.
void CheckCountFits(const OrrelayEngine::FileBinary& file, std::uint32_t count, std::uint32_t minimumRecordBytes);

} // namespace GameFramework

// Windows bitmap files for Image: uncompressed 24- and 32-bit pictures and the
// engine's own 8-bit layout (grey palette, rows top first, unpadded).
// Failures are thrown as FileError; Image logs them.
#pragma once

#include <string>

namespace OrrelayEngine {

class FileBinary;
class Image;
class MessageManager;

class BmpCodec
{
public:
    // image receives the picture; it is created only once the header and the
    // file's size have been found sound.
    static void Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image);
    // Writes the whole file and closes it, so that a failed flush is reported.
    static void Write(const Image& image, FileBinary& file);
};

} // namespace OrrelayEngine

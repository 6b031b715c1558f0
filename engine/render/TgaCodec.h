// Targa files for Image: grey, 16-, 24- and 32-bit true colour, plain or
// run-length encoded, either origin. Colour maps are skipped, not applied: the
// engine's own colour-mapped files carry a grey map. Failures are thrown as
// FileError; Image logs them.
#pragma once

#include <string>

namespace OrrelayEngine {

class FileBinary;
class Image;
class MessageManager;

class TgaCodec
{
public:
    static void Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image);
    // Writes the whole file and closes it, so that a failed flush is reported.
    static void Write(const Image& image, FileBinary& file);
};

} // namespace OrrelayEngine

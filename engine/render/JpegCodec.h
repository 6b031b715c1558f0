// JPEG files for Image through libjpeg, reading from and writing to the engine's
// file objects. The library's errors come back here instead of ending the
// process: its messages go to the log as warnings and the operation fails with
// a FileError. Grey and colour pictures only; CMYK is refused.
#pragma once

#include <string>

namespace OrrelayEngine {

class FileBinary;
class Image;
class MessageManager;

class JpegCodec
{
public:
    static void Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image);
    // image must be 8- or 24-bit. Writes the whole file and closes it.
    static void Write(MessageManager* log, const Image& image, FileBinary& file, const std::string& fileName,
                      int quality);
};

} // namespace OrrelayEngine

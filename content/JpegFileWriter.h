// Writes JPEG fixture files with libjpeg straight into memory: grey, colour,
// and CMYK pictures (which the engine refuses).
#pragma once

#include "content/ByteBuffer.h"
#include "content/FixturePicture.h"

namespace Content {

class JpegFileWriter
{
public:
    // One channel: grey; three: colour; four: CMYK (the four bytes as C, M, Y, K).
    explicit JpegFileWriter(const FixturePicture& picture);

    void SetQuality(int quality) { quality_ = quality; }

    // Throws OrrelayEngine::Error when the library refuses the picture.
    ByteBuffer Build() const;

private:
    FixturePicture picture_;
    int quality_ = 95;
};

} // namespace Content

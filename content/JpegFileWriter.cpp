#include "content/JpegFileWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "engine/core/Error.h"

namespace Content {

namespace {

struct ErrorManager
{
    jpeg_error_mgr library;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Only plain data lives between setjmp and the library's longjmp.
bool Compress(jpeg_compress_struct* info, ErrorManager* errors, const FixturePicture* picture, int quality,
              unsigned char** output, unsigned long* outputSize)
{
    if (setjmp(errors->jump) != 0)
        return false;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, output, outputSize);
    info->image_width = picture->width;
    info->image_height = picture->height;
    info->input_components = static_cast<int>(picture->channels);
    info->in_color_space = picture->channels == 1 ? JCS_GRAYSCALE : picture->channels == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(picture->PixelAt(0, info->next_scanline));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

JpegFileWriter::JpegFileWriter(const FixturePicture& picture) : picture_(picture)
{}

ByteBuffer JpegFileWriter::Build() const
{
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = ErrorExit;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    const bool compressed = Compress(&info, &errors, &picture_, quality_, &output, &outputSize);
    jpeg_destroy_compress(&info);

    ByteBuffer file;
    if (compressed && output != nullptr)
        file.PutBytes(output, outputSize);
    // The memory destination allocates with malloc.
    std::free(output);
    if (!compressed)
        throw OrrelayEngine::Error("The JPEG library refused the fixture picture");
    return file;
}

} // namespace Content

#include "engine/render/JpegCodec.h"

// libjpeg's header needs the standard C declarations before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"

namespace OrrelayEngine {

namespace {

constexpr std::size_t kBufferBytes = 4096;

// The library calls back through C frames, so nothing may be thrown across
// them: the callbacks below catch everything, and a library error leaves
// through longjmp to the one frame that set it up. That frame and the callbacks
// hold no object with a destructor.
struct ErrorManager
{
    jpeg_error_mgr library;
    std::jmp_buf jump;
    MessageManager* log;
    const std::string* fileName;
};

struct SourceManager
{
    jpeg_source_mgr library;
    FileBinary* file;
    JOCTET* buffer;
    bool startOfFile;
};

struct DestinationManager
{
    jpeg_destination_mgr library;
    FileBinary* file;
    JOCTET* buffer;
};

void OutputMessage(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    if (errors->log == nullptr)
        return;
    try {
        errors->log->LogWarning("JPEG \"" + *errors->fileName + "\": " + text);
    } catch (...) {
    }
}

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

jpeg_error_mgr* AttachErrors(ErrorManager& errors, MessageManager* log, const std::string& fileName)
{
    jpeg_error_mgr* library = jpeg_std_error(&errors.library);
    library->error_exit = ErrorExit;
    library->output_message = OutputMessage;
    errors.log = log;
    errors.fileName = &fileName;
    return library;
}

void InitSource(j_decompress_ptr info)
{
    reinterpret_cast<SourceManager*>(info->src)->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<SourceManager*>(info->src);
    std::uint32_t count = 0;
    try {
        source->file->Read(source->buffer, kBufferBytes, &count);
    } catch (...) {
        count = 0;
    }
    if (count == 0) {
        // An end-of-image marker lets the library finish a truncated stream.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->library.next_input_byte = source->buffer;
    source->library.bytes_in_buffer = count;
    source->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* source = info->src;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source->bytes_in_buffer) {
        remaining -= source->bytes_in_buffer;
        (*source->fill_input_buffer)(info);
    }
    source->next_input_byte += remaining;
    source->bytes_in_buffer -= remaining;
}

void TermSource(j_decompress_ptr)
{}

void AttachSource(j_decompress_ptr info, FileBinary* file)
{
    auto* source = static_cast<SourceManager*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(SourceManager)));
    source->buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kBufferBytes));
    source->file = file;
    source->startOfFile = true;
    source->library.init_source = InitSource;
    source->library.fill_input_buffer = FillInputBuffer;
    source->library.skip_input_data = SkipInputData;
    source->library.resync_to_restart = jpeg_resync_to_restart;
    source->library.term_source = TermSource;
    source->library.bytes_in_buffer = 0;
    source->library.next_input_byte = nullptr;
    info->src = &source->library;
}

bool WriteAll(DestinationManager* destination, std::size_t count)
{
    std::uint32_t written = 0;
    try {
        destination->file->Write(destination->buffer, static_cast<std::uint32_t>(count), &written);
    } catch (...) {
        return false;
    }
    return written == count;
}

void InitDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    destination->library.next_output_byte = destination->buffer;
    destination->library.free_in_buffer = kBufferBytes;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    if (!WriteAll(destination, kBufferBytes))
        ERREXIT(info, JERR_FILE_WRITE);
    destination->library.next_output_byte = destination->buffer;
    destination->library.free_in_buffer = kBufferBytes;
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    const std::size_t count = kBufferBytes - destination->library.free_in_buffer;
    if (count > 0 && !WriteAll(destination, count))
        ERREXIT(info, JERR_FILE_WRITE);
}

void AttachDestination(j_compress_ptr info, FileBinary* file)
{
    auto* destination = static_cast<DestinationManager*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(DestinationManager)));
    destination->buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kBufferBytes));
    destination->file = file;
    destination->library.init_destination = InitDestination;
    destination->library.empty_output_buffer = EmptyOutputBuffer;
    destination->library.term_destination = TermDestination;
    info->dest = &destination->library;
}

enum class DecodeResult
{
    kDone,
    kLibraryError,
    kNoPicture,
    kUnsupported
};

DecodeResult Decode(jpeg_decompress_struct* info, ErrorManager* errors, FileBinary* file, MessageManager* log,
                    Image* image)
{
    if (setjmp(errors->jump) != 0)
        return DecodeResult::kLibraryError;

    jpeg_create_decompress(info);
    AttachSource(info, file);
    jpeg_read_header(info, TRUE);
    if (static_cast<std::uint64_t>(info->image_width) * info->image_height == 0)
        return DecodeResult::kNoPicture;
    switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
        info->out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_RGB:
    case JCS_YCbCr:
        info->out_color_space = JCS_RGB;
        break;
    default:
        // CMYK and YCCK would come out as four channels that are not R, G, B, A.
        return DecodeResult::kUnsupported;
    }
    if (info->image_width > Image::kMaxSidePixels || info->image_height > Image::kMaxSidePixels)
        return DecodeResult::kUnsupported;

    jpeg_start_decompress(info);
    if (info->output_components != 1 && info->output_components != 3)
        return DecodeResult::kUnsupported;
    image->Create(log, info->output_width, info->output_height,
                  static_cast<std::uint32_t>(info->output_components) * 8);
    const std::size_t rowBytes = static_cast<std::size_t>(info->output_width) * info->output_components;
    while (info->output_scanline < info->output_height) {
        // The file's first line is the top of the picture, the image's last row.
        JSAMPROW row = image->GetData() + (info->output_height - 1 - info->output_scanline) * rowBytes;
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
    return DecodeResult::kDone;
}

bool Encode(jpeg_compress_struct* info, ErrorManager* errors, FileBinary* file, const Image* image, int quality)
{
    if (setjmp(errors->jump) != 0)
        return false;

    jpeg_create_compress(info);
    AttachDestination(info, file);
    const std::uint32_t components = image->GetBitsPerPixel() / 8;
    info->image_width = image->GetWidth();
    info->image_height = image->GetHeight();
    info->input_components = static_cast<int>(components);
    info->in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, FALSE);
    jpeg_start_compress(info, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(image->GetWidth()) * components;
    // The library only reads the rows it is given.
    auto* pixels = const_cast<std::uint8_t*>(image->GetData());
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = pixels + (info->image_height - 1 - info->next_scanline) * rowBytes;
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

void JpegCodec::Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image)
{
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = AttachErrors(errors, log, fileName);

    const DecodeResult result = Decode(&info, &errors, &file, log, &image);
    jpeg_destroy_decompress(&info);
    switch (result) {
    case DecodeResult::kDone:
        return;
    case DecodeResult::kUnsupported:
        throw FileError("Unsupported \"" + fileName + "\" file format");
    case DecodeResult::kLibraryError:
    case DecodeResult::kNoPicture:
        throw FileError("Incorrect \"" + fileName + "\" file format");
    }
}

void JpegCodec::Write(MessageManager* log, const Image& image, FileBinary& file, const std::string& fileName,
                      int quality)
{
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = AttachErrors(errors, log, fileName);

    const bool written = Encode(&info, &errors, &file, &image, quality);
    jpeg_destroy_compress(&info);
    if (!written)
        throw FileError("Failed to save \"" + fileName + "\"");
    file.Close();
}

} // namespace OrrelayEngine

// The engine's in-memory picture: uncompressed 8-bit (grey or alpha), 24-bit
// (R, G, B) or 32-bit (R, G, B, A) pixels, rows bottom-up with no padding.
// It offers what the texture code and the screen capture need: copying,
// pasting, filling, flipping, red/blue exchange, depth conversion, resampling,
// and BMP, TGA and JPEG files chosen by extension. It knows nothing of devices.
//
// Every reader trusts nothing in its file: sides are limited to kMaxSidePixels
// and every size is checked against the bytes the file holds before anything
// is allocated. A bad file is logged and answers false.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace OrrelayEngine {

class FileBinary;
class FileManager;
class MessageManager;
struct Color;

class Image
{
public:
    // The largest side any reader accepts; it is also the largest texture the
    // graphics device takes, so nothing larger could be drawn anyway.
    static constexpr std::uint32_t kMaxSidePixels = 16384;

    // Screenshots and every other JPEG the engine writes.
    static constexpr int kJpegSaveQuality = 85;

    enum Filter : std::uint32_t
    {
        kFilterNearest = 0,
        kFilterBilinear = 1,
        kFilterBicubic = 2
    };

    Image();
    virtual ~Image();

    // Images are never shared; copy explicitly with CopyFrom.
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The contents of the new pixels are undefined.
    void Create(MessageManager* log, std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
    void Release();
    void CopyFrom(const Image& source);

    bool IsEmpty() const { return empty_; }
    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    std::uint32_t GetBitsPerPixel() const { return bitsPerPixel_; }
    std::uint8_t* GetData() { return data_.get(); }
    const std::uint8_t* GetData() const { return data_.get(); }
    MessageManager* GetLog() const { return log_; }
    // width x height x bitsPerPixel / 8, in 64 bits.
    std::uint64_t GetDataSize() const;

    // output must be another image than this one.
    void Resample(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter, Image& output) const;
    void ResampleInPlace(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter);

    // The operations below work in place when output is null.
    void FlipVertical(Image* output = nullptr);
    // An 8-bit image is only copied into the output; in place nothing happens.
    void SwapRedBlue(Image* output = nullptr);
    // The same depth is only copied into the output; in place nothing happens.
    void ConvertBitDepth(std::uint32_t newBitsPerPixel, Image* output = nullptr);
    // Puts source's bottom-left corner at column x, row y, converting its depth
    // first; what falls outside this image is cut off.
    void Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* output = nullptr);
    void Fill(const Color& color, Image* output = nullptr);

    // The 64 x 64 placeholder for a picture that could not be read.
    void MakeCheckerboard(MessageManager* log);

    // The extension, in any case, chooses the format: bmp, tga, jpg or jpeg.
    bool Load(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool Save(FileManager* fileManager, const std::string& fileName);

    bool LoadBMP(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool LoadTGA(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool LoadJPEG(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool SaveBMP(FileManager* fileManager, const std::string& fileName);
    bool SaveTGA(FileManager* fileManager, const std::string& fileName);
    bool SaveJPEG(FileManager* fileManager, const std::string& fileName, int quality);

    // The decoders over a file already open; fileName is the name the messages
    // show. Each logs its failure and answers false.
    bool ReadBMP(MessageManager* log, FileBinary& file, const std::string& fileName);
    bool ReadTGA(MessageManager* log, FileBinary& file, const std::string& fileName);
    bool ReadJPEG(MessageManager* log, FileBinary& file, const std::string& fileName);

private:
    // Takes over other's pixels and fields; other becomes empty.
    void TakeFrom(Image& other);
    void ConvertBitDepthInto(std::uint32_t newBitsPerPixel, Image& output) const;
    // Logs through the image's own log, which an image never created lacks.
    void LogError(const std::string& text) const;

    bool empty_ = true;
    MessageManager* log_ = nullptr;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t bitsPerPixel_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
};

} // namespace OrrelayEngine

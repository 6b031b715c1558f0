#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/render/BmpCodec.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/TgaCodec.h"

namespace OrrelayEngine {

namespace {

// Grey weights of red, green and blue, in thousandths. They sum to exactly 1000,
// so a grey pixel keeps its value through a round trip to colour and back.
constexpr std::uint32_t kGreyWeightRed = 222;
constexpr std::uint32_t kGreyWeightGreen = 707;
constexpr std::uint32_t kGreyWeightBlue = 71;
constexpr std::uint32_t kGreyWeightSum = 1000;

constexpr std::uint32_t kCheckerboardSidePixels = 64;
constexpr std::uint32_t kCheckerboardCellPixels = 8;

// Fraction bits of the two interpolating filters.
constexpr std::uint64_t kBilinearOne = 256;
constexpr std::uint64_t kBicubicOne = 128;

std::uint8_t GreyFromRgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return static_cast<std::uint8_t>((kGreyWeightRed * red + kGreyWeightGreen * green + kGreyWeightBlue * blue) /
                                     kGreyWeightSum);
}

// A channel of a colour as the float the packing multiplies by 255: clamped to
// 0..1 first, so that an overbright or negative colour saturates instead of
// wrapping around in the byte, and NaN counts as 0.
double ClampUnit(float value)
{
    if (!(value > 0.0f))
        return 0.0;
    if (value > 1.0f)
        return 1.0;
    return value;
}

std::uint8_t PackUnit(double value)
{
    return static_cast<std::uint8_t>(value * 255.0);
}

// The source position of destination index i, in fixed point with `one` as
// unity, mapping the first and last destination pixels onto the first and last
// source pixels. A destination of one pixel takes the first source pixel: the
// mapping would divide by zero there.
std::uint64_t SourcePosition(std::uint32_t sourceSize, std::uint32_t destinationSize, std::uint32_t i,
                             std::uint64_t one)
{
    if (destinationSize < 2)
        return 0;
    return (static_cast<std::uint64_t>(sourceSize - 1) * i * one) / (destinationSize - 1);
}

// Every texture of a size other than a power of two comes through here at
// load time: the source position is worked out once a row and once a column,
// not twice a pixel, which took the divisions out of the inner loop.
void ResampleBilinear(const std::uint8_t* source, std::uint32_t width, std::uint32_t height,
                      std::uint32_t bytesPerPixel, std::uint8_t* destination, std::uint32_t newWidth,
                      std::uint32_t newHeight)
{
    std::vector<std::uint64_t> columns(newWidth);
    for (std::uint32_t x = 0; x < newWidth; ++x)
        columns[x] = SourcePosition(width, newWidth, x, kBilinearOne);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    std::uint8_t* pixel = destination;
    for (std::uint32_t y = 0; y < newHeight; ++y) {
        std::uint64_t fy = SourcePosition(height, newHeight, y, kBilinearOne);
        // The last row is taken from just below the top source row, so that
        // the row above it is never needed; a source of one row has nothing below.
        if (y == newHeight - 1 && fy > 0)
            --fy;
        const std::uint8_t* top = source + static_cast<std::size_t>(fy >> 8) * rowBytes;
        const std::int64_t v = static_cast<std::int64_t>(fy & 255);
        for (std::uint32_t x = 0; x < newWidth; ++x, pixel += bytesPerPixel) {
            const std::uint8_t* near = top + static_cast<std::size_t>(columns[x] >> 8) * bytesPerPixel;
            const std::int64_t u = static_cast<std::int64_t>(columns[x] & 255);
            for (std::uint32_t channel = 0; channel < bytesPerPixel; ++channel) {
                // A neighbour of weight 0 may lie outside the image; it is never read.
                std::int64_t sum = (256 - u) * (256 - v) * near[channel];
                if (v != 0)
                    sum += (256 - u) * v * near[rowBytes + channel];
                if (u != 0)
                    sum += u * (256 - v) * near[bytesPerPixel + channel];
                if (u != 0 && v != 0)
                    sum += u * v * near[rowBytes + bytesPerPixel + channel];
                pixel[channel] = static_cast<std::uint8_t>(sum >> 16);
            }
        }
    }
}

std::int64_t CubicInterpolate(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, std::int64_t t)
{
    // Cubic convolution with the parameter -1, t in 128ths from b towards c.
    // Multiplications instead of shifts keep negative values well defined.
    const std::int64_t k1 = (d - c) - (a - b);
    const std::int64_t k2 = (a - b) - k1;
    const std::int64_t k3 = c - a;
    return ((((t * k1 + k2 * 128) * t + k3 * 16384) * t) + b * 2097152) >> 21;
}

std::uint32_t ClampIndex(std::int64_t index, std::uint32_t size)
{
    if (index < 0)
        return 0;
    if (index >= static_cast<std::int64_t>(size))
        return size - 1;
    return static_cast<std::uint32_t>(index);
}

} // namespace

Image::Image() = default;

Image::~Image()
{
    Release();
}

void Image::Create(MessageManager* log, std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel)
{
    // A picture of the same shape keeps its block: screen captures re-create
    // their image every frame.
    const bool sameShape =
        !empty_ && data_ != nullptr && width == width_ && height == height_ && bitsPerPixel == bitsPerPixel_;
    log_ = log;
    if (sameShape)
        return;
    Release();
    empty_ = false;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    data_.reset(new std::uint8_t[static_cast<std::size_t>(GetDataSize())]);
}

void Image::Release()
{
    if (empty_)
        return;
    data_.reset();
    empty_ = true;
}

void Image::CopyFrom(const Image& source)
{
    if (&source == this)
        return;
    if (source.empty_) {
        Release();
        return;
    }
    Create(source.log_, source.width_, source.height_, source.bitsPerPixel_);
    std::memcpy(data_.get(), source.data_.get(), static_cast<std::size_t>(GetDataSize()));
}

std::uint64_t Image::GetDataSize() const
{
    return static_cast<std::uint64_t>(width_) * height_ * (bitsPerPixel_ / 8);
}

void Image::TakeFrom(Image& other)
{
    Release();
    empty_ = other.empty_;
    log_ = other.log_;
    width_ = other.width_;
    height_ = other.height_;
    bitsPerPixel_ = other.bitsPerPixel_;
    data_ = std::move(other.data_);
    other.empty_ = true;
}

void Image::LogError(const std::string& text) const
{
    if (log_ != nullptr)
        log_->LogError(text);
}

void Image::Resample(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter, Image& output) const
{
    if (empty_ || &output == this)
        return;
    if (newWidth == width_ && newHeight == height_) {
        output.CopyFrom(*this);
        return;
    }
    output.Create(log_, newWidth, newHeight, bitsPerPixel_);
    if (newWidth == 0 || newHeight == 0 || width_ == 0 || height_ == 0)
        return;

    const std::uint32_t bytesPerPixel = bitsPerPixel_ / 8;
    const std::uint8_t* source = data_.get();
    std::uint8_t* destination = output.data_.get();
    if (filter == kFilterBilinear) {
        ResampleBilinear(source, width_, height_, bytesPerPixel, destination, newWidth, newHeight);
        return;
    }
    auto sourceAt = [&](std::uint32_t column, std::uint32_t row, std::uint32_t channel) {
        return static_cast<std::int64_t>(
            source[(static_cast<std::size_t>(row) * width_ + column) * bytesPerPixel + channel]);
    };

    for (std::uint32_t y = 0; y < newHeight; ++y) {
        for (std::uint32_t x = 0; x < newWidth; ++x) {
            std::uint8_t* pixel = destination + (static_cast<std::size_t>(y) * newWidth + x) * bytesPerPixel;
            if (filter == kFilterBicubic) {
                const std::uint64_t fy = SourcePosition(height_, newHeight, y, kBicubicOne);
                const std::uint64_t fx = SourcePosition(width_, newWidth, x, kBicubicOne);
                const auto row = static_cast<std::int64_t>(fy >> 7);
                const auto column = static_cast<std::int64_t>(fx >> 7);
                const std::int64_t ty = static_cast<std::int64_t>(fy & 127);
                const std::int64_t tx = static_cast<std::int64_t>(fx & 127);
                std::uint32_t columns[4];
                std::uint32_t rows[4];
                for (int k = 0; k < 4; ++k) {
                    columns[k] = ClampIndex(column - 1 + k, width_);
                    rows[k] = ClampIndex(row - 1 + k, height_);
                }
                for (std::uint32_t channel = 0; channel < bytesPerPixel; ++channel) {
                    std::int64_t rowValues[4];
                    for (int k = 0; k < 4; ++k) {
                        rowValues[k] = CubicInterpolate(
                            sourceAt(columns[0], rows[k], channel), sourceAt(columns[1], rows[k], channel),
                            sourceAt(columns[2], rows[k], channel), sourceAt(columns[3], rows[k], channel), tx);
                    }
                    const std::int64_t value =
                        CubicInterpolate(rowValues[0], rowValues[1], rowValues[2], rowValues[3], ty);
                    pixel[channel] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
                }
            } else {
                const auto row = static_cast<std::uint32_t>(SourcePosition(height_, newHeight, y, 1));
                const auto column = static_cast<std::uint32_t>(SourcePosition(width_, newWidth, x, 1));
                std::memcpy(pixel, source + (static_cast<std::size_t>(row) * width_ + column) * bytesPerPixel,
                            bytesPerPixel);
            }
        }
    }
}

void Image::ResampleInPlace(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter)
{
    Image temporary;
    Resample(newWidth, newHeight, filter, temporary);
    TakeFrom(temporary);
}

void Image::FlipVertical(Image* output)
{
    if (empty_)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * (bitsPerPixel_ / 8);
    if (output != nullptr && output != this) {
        output->Create(log_, width_, height_, bitsPerPixel_);
        for (std::uint32_t row = 0; row < height_; ++row) {
            std::memcpy(output->data_.get() + row * rowBytes,
                        data_.get() + static_cast<std::size_t>(height_ - 1 - row) * rowBytes, rowBytes);
        }
        return;
    }
    std::unique_ptr<std::uint8_t[]> swapRow(new std::uint8_t[rowBytes]);
    for (std::uint32_t row = 0; row < height_ / 2; ++row) {
        std::uint8_t* low = data_.get() + row * rowBytes;
        std::uint8_t* high = data_.get() + static_cast<std::size_t>(height_ - 1 - row) * rowBytes;
        std::memcpy(swapRow.get(), low, rowBytes);
        std::memcpy(low, high, rowBytes);
        std::memcpy(high, swapRow.get(), rowBytes);
    }
}

void Image::SwapRedBlue(Image* output)
{
    if (empty_)
        return;
    Image* target = this;
    if (output != nullptr && output != this) {
        output->CopyFrom(*this);
        target = output;
    }
    if (bitsPerPixel_ != 24 && bitsPerPixel_ != 32)
        return;
    const std::uint32_t bytesPerPixel = bitsPerPixel_ / 8;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width_) * height_;
    std::uint8_t* pixel = target->data_.get();
    for (std::uint64_t i = 0; i < pixelCount; ++i, pixel += bytesPerPixel)
        std::swap(pixel[0], pixel[2]);
}

void Image::ConvertBitDepth(std::uint32_t newBitsPerPixel, Image* output)
{
    if (empty_)
        return;
    if (newBitsPerPixel == bitsPerPixel_) {
        if (output != nullptr && output != this)
            output->CopyFrom(*this);
        return;
    }
    const bool knownDepth = (newBitsPerPixel == 8 || newBitsPerPixel == 24 || newBitsPerPixel == 32) &&
                            (bitsPerPixel_ == 8 || bitsPerPixel_ == 24 || bitsPerPixel_ == 32);
    if (!knownDepth)
        return;

    Image converted;
    converted.Create(log_, width_, height_, newBitsPerPixel);
    const std::uint32_t fromBytes = bitsPerPixel_ / 8;
    const std::uint32_t toBytes = newBitsPerPixel / 8;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width_) * height_;
    const std::uint8_t* from = data_.get();
    std::uint8_t* to = converted.data_.get();
    for (std::uint64_t i = 0; i < pixelCount; ++i, from += fromBytes, to += toBytes) {
        if (fromBytes == 1) {
            std::memset(to, from[0], toBytes);
        } else if (toBytes == 1) {
            to[0] = fromBytes == 4 ? from[3] : GreyFromRgb(from[0], from[1], from[2]);
        } else {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            if (toBytes == 4)
                to[3] = 255;
        }
    }

    if (output != nullptr && output != this)
        output->TakeFrom(converted);
    else
        TakeFrom(converted);
}

void Image::Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* output)
{
    if (empty_ || source.empty_)
        return;
    Image* target = this;
    if (output != nullptr && output != this) {
        output->CopyFrom(*this);
        target = output;
    }

    const Image* pasted = &source;
    Image converted;
    if (source.bitsPerPixel_ != bitsPerPixel_) {
        source.ConvertBitDepthInto(bitsPerPixel_, converted);
        pasted = &converted;
    }

    const std::uint32_t copiedWidth = x >= width_ ? 0 : std::min(pasted->width_, width_ - x);
    const std::uint32_t copiedHeight = y >= height_ ? 0 : std::min(pasted->height_, height_ - y);
    const std::uint32_t bytesPerPixel = bitsPerPixel_ / 8;
    for (std::uint32_t k = 0; k < copiedHeight; ++k) {
        std::memcpy(target->data_.get() + (static_cast<std::size_t>(y + k) * width_ + x) * bytesPerPixel,
                    pasted->data_.get() + static_cast<std::size_t>(k) * pasted->width_ * bytesPerPixel,
                    static_cast<std::size_t>(copiedWidth) * bytesPerPixel);
    }
}

void Image::ConvertBitDepthInto(std::uint32_t newBitsPerPixel, Image& output) const
{
    output.CopyFrom(*this);
    output.ConvertBitDepth(newBitsPerPixel);
}

void Image::Fill(const Color& color, Image* output)
{
    if (empty_)
        return;
    Image* target = this;
    if (output != nullptr && output != this) {
        output->Create(log_, width_, height_, bitsPerPixel_);
        target = output;
    }

    const double red = ClampUnit(color.r);
    const double green = ClampUnit(color.g);
    const double blue = ClampUnit(color.b);
    const double alpha = ClampUnit(color.a);
    std::uint8_t value[4];
    std::uint32_t bytesPerPixel = bitsPerPixel_ / 8;
    if (bytesPerPixel == 1) {
        // Weighted in thousandths, so that white packs to exactly 255.
        value[0] =
            PackUnit((kGreyWeightRed * red + kGreyWeightGreen * green + kGreyWeightBlue * blue) / kGreyWeightSum);
    } else {
        value[0] = PackUnit(red);
        value[1] = PackUnit(green);
        value[2] = PackUnit(blue);
        value[3] = PackUnit(alpha);
        bytesPerPixel = std::min<std::uint32_t>(bytesPerPixel, 4);
    }

    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width_) * height_;
    std::uint8_t* pixel = target->data_.get();
    for (std::uint64_t i = 0; i < pixelCount; ++i, pixel += bytesPerPixel)
        std::memcpy(pixel, value, bytesPerPixel);
}

void Image::MakeCheckerboard(MessageManager* log)
{
    Create(log, kCheckerboardSidePixels, kCheckerboardSidePixels, 24);
    Fill(Color(0.0f, 0.0f, 0.0f, 1.0f));
    Image cell;
    cell.Create(log, kCheckerboardCellPixels, kCheckerboardCellPixels, 32);
    cell.Fill(Color(1.0f, 1.0f, 0.0f, 1.0f));
    const std::uint32_t cellsPerSide = kCheckerboardSidePixels / kCheckerboardCellPixels;
    for (std::uint32_t i = 0; i < cellsPerSide; ++i) {
        for (std::uint32_t j = 0; j < cellsPerSide; ++j) {
            if ((i + j) % 2 == 0)
                Paste(kCheckerboardCellPixels * i, kCheckerboardCellPixels * j, cell);
        }
    }
}

bool Image::Load(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    const std::string extension = ToLower(FileManager::GetExtension(fileName));
    if (extension == "bmp")
        return LoadBMP(log, fileManager, fileName);
    if (extension == "tga")
        return LoadTGA(log, fileManager, fileName);
    if (extension == "jpg" || extension == "jpeg")
        return LoadJPEG(log, fileManager, fileName);
    if (log != nullptr)
        log->LogError("Unknown \"" + fileName + "\" image file type");
    return false;
}

bool Image::Save(FileManager* fileManager, const std::string& fileName)
{
    const std::string extension = ToLower(FileManager::GetExtension(fileName));
    if (extension == "bmp")
        return SaveBMP(fileManager, fileName);
    if (extension == "tga")
        return SaveTGA(fileManager, fileName);
    if (extension == "jpg" || extension == "jpeg")
        return SaveJPEG(fileManager, fileName, kJpegSaveQuality);
    LogError("Unknown \"" + fileName + "\" image file type");
    return false;
}

namespace {

using Decoder = void (*)(MessageManager*, FileBinary&, const std::string&, Image&);

bool LoadWith(Decoder decode, Image& image, MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    try {
        const std::unique_ptr<FileBinary> file = fileManager->OpenFile(fileName, false);
        decode(log, *file, fileName, image);
        return true;
    } catch (const FileError& error) {
        if (log != nullptr)
            log->LogError(error.GetMessage());
        return false;
    }
}

bool ReadWith(Decoder decode, Image& image, MessageManager* log, FileBinary& file, const std::string& fileName)
{
    try {
        decode(log, file, fileName, image);
        return true;
    } catch (const FileError& error) {
        if (log != nullptr)
            log->LogError(error.GetMessage());
        return false;
    }
}

} // namespace

bool Image::LoadBMP(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(BmpCodec::Read, *this, log, fileManager, fileName);
}

bool Image::LoadTGA(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(TgaCodec::Read, *this, log, fileManager, fileName);
}

bool Image::LoadJPEG(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(JpegCodec::Read, *this, log, fileManager, fileName);
}

bool Image::ReadBMP(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    return ReadWith(BmpCodec::Read, *this, log, file, fileName);
}

bool Image::ReadTGA(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    return ReadWith(TgaCodec::Read, *this, log, file, fileName);
}

bool Image::ReadJPEG(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    return ReadWith(JpegCodec::Read, *this, log, file, fileName);
}

bool Image::SaveBMP(FileManager* fileManager, const std::string& fileName)
{
    if (empty_) {
        LogError("Failed to save \"" + fileName + "\"");
        return false;
    }
    try {
        const std::unique_ptr<FileBinary> file = fileManager->OpenFile(fileName, true);
        BmpCodec::Write(*this, *file);
        return true;
    } catch (const FileError& error) {
        LogError(error.GetMessage());
        return false;
    }
}

bool Image::SaveTGA(FileManager* fileManager, const std::string& fileName)
{
    if (empty_) {
        LogError("Failed to save \"" + fileName + "\"");
        return false;
    }
    try {
        const std::unique_ptr<FileBinary> file = fileManager->OpenFile(fileName, true);
        TgaCodec::Write(*this, *file);
        return true;
    } catch (const FileError& error) {
        LogError(error.GetMessage());
        return false;
    }
}

bool Image::SaveJPEG(FileManager* fileManager, const std::string& fileName, int quality)
{
    if (empty_) {
        LogError("Failed to save \"" + fileName + "\"");
        return false;
    }
    // JPEG holds grey or colour; alpha is dropped.
    const Image* encoded = this;
    Image converted;
    if (bitsPerPixel_ != 8 && bitsPerPixel_ != 24) {
        ConvertBitDepthInto(24, converted);
        encoded = &converted;
    }

    std::unique_ptr<FileBinary> file;
    try {
        file = fileManager->OpenFile(fileName, true);
    } catch (const FileError&) {
        LogError("Failed to save \"" + fileName + "\"");
        return false;
    }
    try {
        JpegCodec::Write(log_, *encoded, *file, fileName, quality);
        return true;
    } catch (const FileError& error) {
        LogError(error.GetMessage());
        return false;
    }
}

} // namespace OrrelayEngine

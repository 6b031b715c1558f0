#include "engine/render/Texture2D.h"

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/render/Image.h"

namespace OrrelayEngine {

Texture2D::Texture2D(MessageManager* log, Config* config, TextureManager* manager, const std::string& key,
                     bool mipMapped)
    : log_(log), config_(config), manager_(manager), settings_(config != nullptr ? config->GetValues() : nullptr),
      key_(key), mipMapped_(mipMapped && settings_ != nullptr && settings_->useMipMapping != 0)
{}

Texture2D::~Texture2D() = default;

void Texture2D::MakeMipLevel(const Image& source, Image& destination, std::uint32_t width, std::uint32_t height,
                             bool alphaOnly)
{
    if (source.IsEmpty() || width == 0 || height == 0) {
        return;
    }
    const std::uint32_t sourceBytes = source.GetBitsPerPixel() / 8;
    const std::uint32_t destinationBytes = alphaOnly ? 1 : sourceBytes;
    destination.Create(source.GetLog(), width, height, destinationBytes * 8);

    const std::uint32_t sourceWidth = source.GetWidth();
    const std::uint32_t sourceHeight = source.GetHeight();
    const std::uint8_t* in = source.GetData();
    std::uint8_t* out = destination.GetData();
    const std::uint32_t firstChannel = alphaOnly && sourceBytes == 4 ? 3 : 0;
    const std::uint32_t channelCount = alphaOnly ? 1 : sourceBytes;

    for (std::uint32_t y = 0; y < height; ++y) {
        // The block is held inside the source, so a side of 1 (or a level asked
        // larger than half the source) pairs a pixel with itself.
        const std::uint32_t row0 = std::min(2 * y, sourceHeight - 1);
        const std::uint32_t row1 = std::min(2 * y + 1, sourceHeight - 1);
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t column0 = std::min(2 * x, sourceWidth - 1);
            const std::uint32_t column1 = std::min(2 * x + 1, sourceWidth - 1);
            const std::uint8_t* a = in + (static_cast<std::size_t>(row0) * sourceWidth + column0) * sourceBytes;
            const std::uint8_t* b = in + (static_cast<std::size_t>(row0) * sourceWidth + column1) * sourceBytes;
            const std::uint8_t* c = in + (static_cast<std::size_t>(row1) * sourceWidth + column0) * sourceBytes;
            const std::uint8_t* d = in + (static_cast<std::size_t>(row1) * sourceWidth + column1) * sourceBytes;
            std::uint8_t* pixel = out + (static_cast<std::size_t>(y) * width + x) * destinationBytes;
            for (std::uint32_t channel = 0; channel < channelCount; ++channel) {
                const std::uint32_t k = firstChannel + channel;
                pixel[channel] = static_cast<std::uint8_t>((a[k] + b[k] + c[k] + d[k] + 2) >> 2);
            }
        }
    }
}

} // namespace OrrelayEngine

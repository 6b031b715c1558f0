#include "content/MapFileWriter.h"

namespace Content {

namespace {

// Where the places lie on the menu screen: rows of places inside the frame.
constexpr float kLeft = 140.0f;
constexpr float kRight = 660.0f;
constexpr float kTop = 420.0f;
constexpr float kRowHeight = 60.0f;
constexpr std::uint32_t kPerRow = 9;

} // namespace

ByteBuffer MapFileWriter::Build(const std::vector<Element>& elements) const
{
    ByteBuffer out;
    out.PutU32(0);
    out.PutBytes("PHGMF", 5);
    out.PutU32(kVersion);
    out.PutU32(static_cast<std::uint32_t>(static_cast<std::int64_t>(elements.size()) + countError_));
    for (const Element& element : elements) {
        out.PutU32(static_cast<std::uint32_t>(element.kind));
        for (float value : element.matrix) {
            out.PutF32(value);
        }
    }
    out.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(out.GetSize()) + sizeFieldError_));
    return out;
}

std::vector<MapFileWriter::Element> MapFileWriter::MakeCampaign(const std::vector<std::uint32_t>& levelCounts)
{
    std::vector<Element> elements;
    for (std::size_t stage = 0; stage < levelCounts.size(); ++stage) {
        for (std::uint32_t level = 0; level < levelCounts[stage]; ++level) {
            Element element;
            element.kind = level > 0 ? kPath : (stage == 0 ? kStart : kCheckPoint);
            elements.push_back(element);
        }
    }
    // A last stage of one level ends on its check point, which must stay one
    // to open that stage.
    if (!elements.empty() && elements.back().kind == kPath) {
        elements.back().kind = kFinish;
    }
    const float step = (kRight - kLeft) / static_cast<float>(kPerRow - 1);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::size_t row = i / kPerRow;
        const std::size_t column = i % kPerRow;
        // Every other row runs back, so that the path never jumps.
        const std::size_t across = row % 2 == 0 ? column : kPerRow - 1 - column;
        elements[i].matrix[3] = kLeft + step * static_cast<float>(across);
        elements[i].matrix[7] = kTop - kRowHeight * static_cast<float>(row);
    }
    return elements;
}

} // namespace Content

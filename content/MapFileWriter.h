// Writes the stage map file (".gmf", magic "PHGMF", version 100): the element
// count, then per element its kind and its 4 x 4 placement matrix, in the
// order given. The size field and the count can be made wrong on purpose for
// tests, and a campaign's map can be laid out from its stages' level counts.
#pragma once

#include <cstdint>
#include <vector>

#include "content/ByteBuffer.h"

namespace Content {

class MapFileWriter
{
public:
    static constexpr std::uint32_t kVersion = 100;
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kCountOffset = 13;
    static constexpr std::size_t kFirstRecordOffset = 17;
    static constexpr std::size_t kRecordBytes = 68;

    enum Kind : std::int32_t
    {
        kStart = 0,
        kFinish = 1,
        kCheckPoint = 2,
        kPath = 3
    };

    struct Element
    {
        std::int32_t kind = kPath;
        // Row-major, translation in elements 3, 7 and 11.
        float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    };

    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }
    void SetCountError(std::int32_t error) { countError_ = error; }

    ByteBuffer Build(const std::vector<Element>& elements) const;

    // One element per level: the start first, a check point opening every
    // further stage, path pieces between, the finish last. They lie at even
    // steps along a meandering road inside the stage map's frame, in menu
    // coordinates (centres within x 120 to 680, y 125 to 415).
    static std::vector<Element> MakeCampaign(const std::vector<std::uint32_t>& levelCounts);

    // That road as a fine polyline from its start to its end, for the map's
    // picture to draw it where the places lie.
    struct RoadPoint
    {
        float x;
        float y;
    };
    static std::vector<RoadPoint> MakeRoad();

private:
    std::int32_t sizeFieldError_ = 0;
    std::int32_t countError_ = 0;
};

} // namespace Content

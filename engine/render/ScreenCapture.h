// Screenshots into numbered picture files and AVI movies of the screen, one
// video frame per engine frame, driven by the screen-capture configuration
// commands. Captures go to a folder of their own under the user data folder
// (the program's folder may not be writable): "picture" or "movie" with a
// three-digit number, the first number whose file does not exist yet.
//
// The picture is read from the render system's back buffer, so Update must
// run after the frame has been drawn and before it is presented. Movies are
// uncompressed 24-bit frames at kMovieFramesPerSecond, written by the
// platform's AVI writer. Nothing here throws: failures are logged and the
// game goes on (a failed movie write ends the recording).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/render/Image.h"
#include "platform/AviWriter.h"

namespace OrrelayEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem_D3D7;

class ScreenCapture
{
public:
    // The rate written into every movie, whatever the real frame rate.
    static constexpr std::uint32_t kMovieFramesPerSecond = 33;
    static constexpr std::uint32_t kMaxCaptureNumber = 999;
    static constexpr std::int32_t kFormatBmp = 0;
    static constexpr std::int32_t kFormatTga = 1;
    static constexpr std::int32_t kFormatJpeg = 2;

    // captureFolder: where pictures and movies go (an engine path, created
    // when the first capture is written). renderSystem may be null, and then
    // every grab fails.
    ScreenCapture(MessageManager* log, FileManager* fileManager, Config* config, RenderSystem_D3D7* renderSystem,
                  const std::string& captureFolder);
    virtual ~ScreenCapture();
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    void Update();
    void StartRecording();
    void StopRecording();
    // Sets the file name of the next picture (0 BMP, 1 TGA, other JPEG) or movie.
    void MakeScreenshotName(std::int32_t format);
    void MakeMovieName();

    const std::string& GetFileName() const { return fileName_; }
    bool IsRecording() const { return recording_; }
    std::int32_t GetFrameNumber() const { return frameNumber_; }
    const std::string& GetCaptureFolder() const { return captureFolder_; }

protected:
    // Fills image with the screen's picture; false (logged) when it cannot.
    virtual bool GrabScreen(Image& image);

private:
    void MakeName(const std::string& stem, const std::string& extension);
    bool IsCommandPending(const std::string& name);
    // Converts the grab into the movie's bitmap layout; false when its size
    // no longer matches the movie's.
    bool FillMovieFrame();

    MessageManager* log_;
    FileManager* fileManager_;
    Config* config_;
    RenderSystem_D3D7* renderSystem_;
    std::string captureFolder_;
    bool screenshotPending_ = false;
    std::int32_t screenshotFormat_ = kFormatBmp;
    std::string fileName_;
    bool recording_ = false;
    std::int32_t frameNumber_ = 0;
    Platform::AviWriter movie_;
    std::uint32_t movieWidth_ = 0;
    std::uint32_t movieHeight_ = 0;
    // The grab and the frame built from it. The frame keeps its memory for
    // the whole recording; the grab is made anew by each screen copy.
    Image grab_;
    std::vector<std::uint8_t> movieFrame_;
};

} // namespace OrrelayEngine

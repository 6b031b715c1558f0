#include "engine/render/ScreenCapture.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/FileSystem.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kMovieBitsPerPixel = 24;
constexpr std::uint32_t kNumberDigits = 3;

// Polled every frame; made once, since names this long do not fit in a
// string's own storage and each poll would otherwise allocate.
const std::string kTakeScreenshotCommand = "sc_take_screenshot";
const std::string kTakeTgaScreenshotCommand = "sc_take_screenshot_tga";
const std::string kTakeJpegScreenshotCommand = "sc_take_screenshot_jpg";
const std::string kStartMovieCommand = "sc_start_movie_record";
const std::string kStopMovieCommand = "sc_stop_movie_record";

} // namespace

ScreenCapture::ScreenCapture(MessageManager* log, FileManager* fileManager, Config* config,
                             RenderSystem_D3D7* renderSystem, const std::string& captureFolder)
    : log_(log), fileManager_(fileManager), config_(config), renderSystem_(renderSystem), captureFolder_(captureFolder)
{
    while (!captureFolder_.empty() && (captureFolder_.back() == '\\' || captureFolder_.back() == '/')) {
        captureFolder_.pop_back();
    }
}

ScreenCapture::~ScreenCapture()
{
    StopRecording();
}

bool ScreenCapture::IsCommandPending(const std::string& name)
{
    if (config_->IsCommandIdle(name)) {
        return false;
    }
    config_->SetCommandIdle(name, true);
    return true;
}

void ScreenCapture::Update()
{
    if (config_ == nullptr) {
        return;
    }
    std::int32_t& format = config_->GetValues()->screenshotFormat;
    if (format < 0) {
        format = 0;
    }
    if (IsCommandPending(kTakeScreenshotCommand)) {
        screenshotPending_ = true;
        screenshotFormat_ = format;
    }
    // Each named command saves in the format its name says.
    if (IsCommandPending(kTakeTgaScreenshotCommand)) {
        screenshotPending_ = true;
        screenshotFormat_ = kFormatTga;
    }
    if (IsCommandPending(kTakeJpegScreenshotCommand)) {
        screenshotPending_ = true;
        screenshotFormat_ = kFormatJpeg;
    }
    if (screenshotPending_) {
        MakeScreenshotName(screenshotFormat_);
    }
    if (IsCommandPending(kStartMovieCommand)) {
        StartRecording();
    }
    if (IsCommandPending(kStopMovieCommand)) {
        StopRecording();
    }

    if (screenshotPending_) {
        screenshotPending_ = false;
        if (GrabScreen(grab_)) {
            // The screen's alpha means nothing in a picture file.
            grab_.ConvertBitDepth(24);
            grab_.Save(fileManager_, fileName_);
        }
        return;
    }
    if (!recording_) {
        return;
    }
    if (!GrabScreen(grab_)) {
        // No picture this frame: the movie skips it rather than repeat or
        // invent one, and its frame numbers stay consecutive.
        return;
    }
    if (!FillMovieFrame() || !movie_.WriteFrame(movieFrame_.data(), movie_.GetFrameBytes())) {
        log_->LogError("Failed to write to avi stream");
        StopRecording();
        return;
    }
    ++frameNumber_;
}

bool ScreenCapture::GrabScreen(Image& image)
{
    if (renderSystem_ != nullptr) {
        try {
            renderSystem_->CopyScreenToImage(image);
            if (!image.IsEmpty()) {
                return true;
            }
        } catch (const Error&) {
            // Logged below, like every other grab failure.
        }
    }
    log_->LogError("Failed to print image from screen");
    return false;
}

bool ScreenCapture::FillMovieFrame()
{
    if (grab_.GetWidth() != movieWidth_ || grab_.GetHeight() != movieHeight_) {
        return false;
    }
    const std::uint32_t sourceBytes = grab_.GetBitsPerPixel() / 8;
    if (sourceBytes < 3) {
        return false;
    }
    const std::uint32_t rowBytes = movie_.GetFrameBytes() / movieHeight_;
    const std::uint8_t* source = grab_.GetData();
    // Both run bottom-up; the bitmap wants blue first and rows padded to four bytes.
    for (std::uint32_t row = 0; row < movieHeight_; ++row) {
        const std::uint8_t* from = source + static_cast<std::size_t>(row) * movieWidth_ * sourceBytes;
        std::uint8_t* to = movieFrame_.data() + static_cast<std::size_t>(row) * rowBytes;
        for (std::uint32_t x = 0; x < movieWidth_; ++x) {
            to[x * 3 + 0] = from[x * sourceBytes + 2];
            to[x * 3 + 1] = from[x * sourceBytes + 1];
            to[x * 3 + 2] = from[x * sourceBytes + 0];
        }
    }
    return true;
}

void ScreenCapture::StartRecording()
{
    if (recording_) {
        log_->LogError("AVI recording was already started");
        return;
    }
    MakeMovieName();
    log_->LogInfo("AVI recording is starting...");
    recording_ = true;
    frameNumber_ = 0;

    // One grab first, to learn the movie's size.
    bool started = GrabScreen(grab_);
    if (started) {
        movieWidth_ = grab_.GetWidth();
        movieHeight_ = grab_.GetHeight();
        FileManager::CreateFolders(fileName_);
        const std::string nativePath = Platform::ToNativePath(FileManager::MakeAbsolute(fileName_));
        started = movie_.Open(nativePath, movieWidth_, movieHeight_, kMovieBitsPerPixel, kMovieFramesPerSecond);
    }
    if (!started) {
        log_->LogError("Failed to create avi stream");
        StopRecording();
        return;
    }
    movieFrame_.assign(movie_.GetFrameBytes(), 0);
}

void ScreenCapture::StopRecording()
{
    if (!recording_) {
        return;
    }
    recording_ = false;
    if (movie_.IsOpen() && !movie_.Close()) {
        log_->LogError("Failed to write to avi stream");
    }
    log_->LogInfo("AVI record finished");
}

void ScreenCapture::MakeName(const std::string& stem, const std::string& extension)
{
    // The numbers are tried in the very folder the file is then written to.
    for (std::uint32_t number = 0; number <= kMaxCaptureNumber; ++number) {
        fileName_ = captureFolder_ + "\\" + stem + UIntToString(number, kNumberDigits) + "." + extension;
        if (!FileManager::ExistsOnDisk(fileName_)) {
            return;
        }
    }
}

void ScreenCapture::MakeScreenshotName(std::int32_t format)
{
    const char* extension = format == kFormatBmp ? "bmp" : format == kFormatTga ? "tga" : "jpg";
    MakeName("picture", extension);
}

void ScreenCapture::MakeMovieName()
{
    MakeName("movie", "avi");
}

} // namespace OrrelayEngine

// The graphics driver on an OpenGL 2.1 compatibility context made through
// SDL. It draws into an SDL window created with the OpenGL flag: either the
// game's window (borrowed; asked for its SDL window at every use, because the
// window may remake it on a mode change) or, for tests and benchmarks, a
// hidden window of its own. The back buffer is the window's default
// framebuffer; present swaps it.
//
// Enumeration reports one adapter. Its devices: a hardware transform-and-lighting
// device when the GL renderer is a real driver, and always a software device
// (on a machine whose renderer is Mesa's llvmpipe only the software one). Its
// display modes are SDL's, plus the usual windowed sizes up to the desktop,
// because headless drivers report next to none.
//
// Presenting again without drawing (a loading screen keeping the window alive)
// must show the last frame, but GL leaves the back buffer undefined after a
// swap. Where the surface keeps its back buffer across a swap (a pbuffer, or
// an EGL surface that offers preserved swaps) nothing more is done; otherwise
// each present of a drawn frame first copies the back buffer into a kept
// framebuffer, and a present with nothing drawn since draws that copy back.
//
// Where the game's window shows its picture scaled (full screen over the
// desktop's own mode), the picture is drawn into a framebuffer of its mode's
// size, which stands for the back buffer in everything the engine does
// (viewports, reading it back); each present scales it into the window's
// centred picture area between black bars. That framebuffer keeps its
// picture across swaps, so no further copy is kept then.
//
// On a software renderer the driver also tells the C library's allocator, for
// the whole process, to keep freed heap memory for reuse rather than return it
// to the system: the rasteriser frees and takes back tens of megabytes a frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/GraphicsDriver.h"
#include "platform/PictureArea.h"

struct SDL_Window;

namespace Platform {

class AppWindow;
class GLTextureNameQueue;

class GraphicsDriverGL : public GraphicsDriver
{
public:
    // Must run before the window this driver will draw into is created: asks for
    // double buffering, 24 depth bits and 8 stencil bits, and, on a real window
    // system, has the threads made from then on (the GL library's among them)
    // share one heap.
    static void PrepareWindowAttributes();
    // The window is borrowed and must outlive the driver.
    static GraphicsResult CreateForWindow(AppWindow* window, std::unique_ptr<GraphicsDriverGL>& out);
    // A hidden window of the driver's own, width x height pixels.
    static GraphicsResult CreateOffscreen(std::uint32_t width, std::uint32_t height,
                                          std::unique_ptr<GraphicsDriverGL>& out);

    ~GraphicsDriverGL() override;

    // Whether this process ever asked for a GL context; the driver keeps
    // allocations and threads for the life of the process once it has.
    static bool ContextEverRequested();

    std::vector<AdapterDescription> EnumerateAdapters() override;
    GraphicsResult OpenAdapter(std::uint32_t adapter) override;
    void CloseAdapter() override;
    GraphicsResult SetCooperativeLevel(bool fullScreen) override;
    GraphicsResult GetDisplayMode(DisplayMode& mode) override;
    GraphicsResult SetDisplayMode(const DisplayMode& mode) override;
    GraphicsResult CreateScreenBuffers(std::uint32_t width, std::uint32_t height, bool fullScreen) override;
    void ReleaseScreenBuffers() override;
    std::vector<ZBufferFormat> EnumerateZBufferFormats(std::uint32_t device) override;
    GraphicsResult CreateDevice(std::uint32_t device, std::unique_ptr<GraphicsDevice>& out) override;
    GraphicsResult Present(bool waitForVerticalBlank) override;
    GraphicsResult ReadBackBuffer(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                                  std::uint8_t* pixels) override;

    // For the device and for benchmarks that compare with raw GL calls.
    void MakeCurrent();
    // The height of what the device draws into: the picture's framebuffer
    // where there is one, else the window's drawing surface.
    std::uint32_t GetDrawableHeight() const;
    // Whether the picture is drawn into a framebuffer of its own, and where it
    // shows on the window's drawing surface at present.
    bool DrawsScaledPicture() const { return pictureFramebuffer_ != 0; }
    PictureArea GetPresentedPictureArea() const;
    const std::shared_ptr<GLTextureNameQueue>& GetDeletedTextureNames() const { return deletedNames_; }
    void DeleteQueuedTextureNames();
    const std::string& GetRendererName() const { return renderer_; }

    // The device calls it when a scene begins: the next present shows a new frame.
    void MarkFrameDrawn() { frameDrawn_ = true; }
    // Whether the drawing surface keeps its back buffer across a swap.
    bool IsBackBufferPreserved();
    // Tests and benchmarks: keep the copy even where the back buffer is preserved.
    void SetFrameCopyForced(bool forced) { frameCopyForced_ = forced; }

private:
    GraphicsDriverGL(SDL_Window* ownWindow, AppWindow* borrowedWindow);
    SDL_Window* DrawingWindow() const;
    GraphicsResult CreateContext();
    bool IsSoftwareRenderer() const;
    DeviceDescription DescribeDevice(DeviceKind kind) const;
    bool NeedsKeptFrame();
    void KeepPresentedFrame();
    void RestorePresentedFrame();
    void ReleaseKeptFrame();
    void LimitFramesInFlight();
    void DrawingSurfaceSize(int& width, int& height) const;
    // The framebuffer the device draws into: the picture's, or the window's (0).
    std::uint32_t TargetFramebuffer() const { return pictureFramebuffer_; }
    bool MakePictureFramebuffer(std::uint32_t width, std::uint32_t height);
    void ReleasePictureFramebuffer();
    void PresentScaledPicture();
    void ReleaseFrameFences();

    SDL_Window* ownWindow_;
    AppWindow* borrowedWindow_;
    void* context_ = nullptr;
    bool adapterOpen_ = false;
    int swapInterval_ = -1;
    std::string renderer_;
    std::vector<DeviceDescription> devices_;
    std::shared_ptr<GLTextureNameQueue> deletedNames_;
    std::vector<std::uint32_t> namesToDelete_;
    std::vector<std::uint8_t> readRows_;

    // The surface the swap behaviour was found for; the game's window may remake it.
    void* swapBehaviourSurface_ = nullptr;
    bool backBufferPreserved_ = false;
    bool frameCopyForced_ = false;
    bool frameDrawn_ = false;
    bool canBlit_ = false;
    std::uint32_t keptFramebuffer_ = 0;
    std::uint32_t keptRenderbuffer_ = 0;
    int keptWidth_ = 0;
    int keptHeight_ = 0;
    bool keptValid_ = false;

    // The picture's own framebuffer while the window shows it scaled.
    std::uint32_t pictureFramebuffer_ = 0;
    std::uint32_t pictureColour_ = 0;
    std::uint32_t pictureDepth_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;

    // Fences behind the frames handed to the driver and not yet known drawn.
    static constexpr std::size_t kFramesInFlight = 2;
    bool canFence_ = false;
    void* frameFences_[kFramesInFlight] = {};
    std::size_t nextFence_ = 0;
};

} // namespace Platform

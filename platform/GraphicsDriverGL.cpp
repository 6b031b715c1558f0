#include "platform/GraphicsDriverGL.h"

#include "platform/Cursor.h"

#include <atomic>

#include <SDL.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "platform/AppWindow.h"
#include "platform/GLTextureNameQueue.h"
#include "platform/GraphicsDeviceGL.h"

namespace Platform {

namespace {

// Headless drivers report no real modes, so these windowed sizes are offered up
// to the desktop's size.
constexpr std::uint32_t kWindowedSizes[][2] = {
    {640, 480},  {800, 600},   {1024, 768}, {1152, 864}, {1280, 720},  {1280, 800},  {1280, 960},  {1280, 1024},
    {1366, 768}, {1400, 1050}, {1440, 900}, {1600, 900}, {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200}};

std::uint32_t BitsOf(std::uint32_t sdlFormat)
{
    // 24-bit modes count as 32, as the engine records them.
    const std::uint32_t bits = SDL_BITSPERPIXEL(sdlFormat);
    return bits > 16 ? 32 : 16;
}

bool ModeBefore(const DisplayMode& a, const DisplayMode& b)
{
    return std::tie(b.width, b.height, b.bitsPerPixel) < std::tie(a.width, a.height, a.bitsPerPixel);
}

bool SameMode(const DisplayMode& a, const DisplayMode& b)
{
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel;
}

#if defined(__GLIBC__)
// The ceiling glibc's own adaptive mmap threshold climbs to, and the trim
// threshold it pairs with it (twice as much).
constexpr int kKeptMmapThresholdBytes = 4 * 1024 * 1024 * static_cast<int>(sizeof(long));
constexpr int kKeptTrimThresholdBytes = 2 * kKeptMmapThresholdBytes;
#endif

// A software rasteriser bins each frame's triangles in heap blocks of its own
// (some 20 MB for a few hundred models) and frees them when the next frame
// starts. When they lie at the top of the heap, glibc gives them back to the
// system at once and the next frame takes every page back through a fault,
// which costs several times the drawing itself. Raising the
// trim threshold to where glibc's adaptive threshold tops out keeps those
// pages for reuse; the adaptive rule stops once set by hand, so the mmap
// threshold is set to its ceiling as well.
void KeepRasterizerFrameMemory()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kKeptMmapThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptTrimThresholdBytes);
#endif
}

// glibc gives threads heaps of their own, and a freed block goes back to the
// heap it came from, serving only that heap's threads. A software rasteriser
// starts worker threads of its own (under X11 as soon as the first GL window
// is made, before any context), and the loading thread makes the textures the
// drawing thread frees once uploaded; with a heap each, the process held some
// 45 MB more by the end of a level, and a real window some 60 MB more at the
// menus. One heap for every thread made from here on lets each reuse what
// another freed. Set before the first GL window where the window system is a
// real one, so whatever renderer it turns out to be.
void ShareOneHeapBetweenThreads()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
#endif
}

bool HasExtension(const char* name)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* found = std::strstr(extensions, name); found != nullptr; found = std::strstr(found + 1, name)) {
        if ((found == extensions || found[-1] == ' ') && (found[length] == ' ' || found[length] == '\0')) {
            return true;
        }
    }
    return false;
}

bool CanFenceFrames()
{
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetError(); // a context before 3.0 does not know the query
    return major > 3 || (major == 3 && minor >= 2) || HasExtension("GL_ARB_sync");
}

bool CanBlitFramebuffers()
{
    GLint major = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetError(); // a context before 3.0 does not know the query
    return major >= 3 || HasExtension("GL_ARB_framebuffer_object");
}

// Whether the current EGL draw surface keeps its back buffer across a swap,
// asking for preserved swaps where its configuration offers them. A context
// that is not EGL's (GLX) has no current EGL surface and answers false.
bool PreserveCurrentEglSurface(EGLDisplay display, EGLSurface surface)
{
    if (display == EGL_NO_DISPLAY || surface == EGL_NO_SURFACE) {
        return false;
    }
    // Only a pbuffer answers this query; its single colour buffer is what a
    // swap leaves alone (headless video drivers draw into one).
    EGLint largest = -1;
    if (eglQuerySurface(display, surface, EGL_LARGEST_PBUFFER, &largest) == EGL_TRUE && largest != -1) {
        return true;
    }
    EGLint behaviour = 0;
    if (eglQuerySurface(display, surface, EGL_SWAP_BEHAVIOR, &behaviour) == EGL_TRUE &&
        behaviour == EGL_BUFFER_PRESERVED) {
        return true;
    }
    EGLint configId = 0;
    if (eglQuerySurface(display, surface, EGL_CONFIG_ID, &configId) != EGL_TRUE) {
        return false;
    }
    const EGLint attributes[] = {EGL_CONFIG_ID, configId, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    EGLint surfaceType = 0;
    if (eglChooseConfig(display, attributes, &config, 1, &count) != EGL_TRUE || count != 1 ||
        eglGetConfigAttrib(display, config, EGL_SURFACE_TYPE, &surfaceType) != EGL_TRUE ||
        (surfaceType & EGL_SWAP_BEHAVIOR_PRESERVED_BIT) == 0) {
        return false;
    }
    return eglSurfaceAttrib(display, surface, EGL_SWAP_BEHAVIOR, EGL_BUFFER_PRESERVED) == EGL_TRUE;
}

} // namespace

void GraphicsDriverGL::PrepareWindowAttributes()
{
    // Over the offscreen driver the context's creation sets it instead: set
    // this early there, the game peaked some 15 MB higher.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") != 0) {
        ShareOneHeapBetweenThreads();
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

GraphicsResult GraphicsDriverGL::CreateForWindow(AppWindow* window, std::unique_ptr<GraphicsDriverGL>& out)
{
    out.reset();
    if (window == nullptr || window->GetSdlWindow() == nullptr) {
        return kGraphicsErrNoHwnd;
    }
    std::unique_ptr<GraphicsDriverGL> driver(new GraphicsDriverGL(nullptr, window));
    const GraphicsResult result = driver->CreateContext();
    if (!GraphicsFailed(result)) {
        out = std::move(driver);
    }
    return result;
}

GraphicsResult GraphicsDriverGL::CreateOffscreen(std::uint32_t width, std::uint32_t height,
                                                 std::unique_ptr<GraphicsDriverGL>& out)
{
    out.reset();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return kGraphicsErrGeneric;
    }
    PrepareWindowAttributes();
    SDL_Window* window =
        SDL_CreateWindow("Quillory", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, static_cast<int>(width),
                         static_cast<int>(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        NoteVideoReleased();
        return kGraphicsErrGeneric;
    }
    std::unique_ptr<GraphicsDriverGL> driver(new GraphicsDriverGL(window, nullptr));
    const GraphicsResult result = driver->CreateContext();
    if (!GraphicsFailed(result)) {
        out = std::move(driver);
    }
    return result;
}

GraphicsDriverGL::GraphicsDriverGL(SDL_Window* ownWindow, AppWindow* borrowedWindow)
    : ownWindow_(ownWindow), borrowedWindow_(borrowedWindow), deletedNames_(std::make_shared<GLTextureNameQueue>())
{}

SDL_Window* GraphicsDriverGL::DrawingWindow() const
{
    return borrowedWindow_ != nullptr ? borrowedWindow_->GetSdlWindow() : ownWindow_;
}

GraphicsDriverGL::~GraphicsDriverGL()
{
    if (context_ != nullptr) {
        MakeCurrent();
        ReleaseKeptFrame();
        ReleasePictureFramebuffer();
        ReleaseFrameFences();
        DeleteQueuedTextureNames();
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    if (ownWindow_ != nullptr) {
        SDL_DestroyWindow(ownWindow_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        NoteVideoReleased();
    }
}

namespace {
std::atomic<bool> contextRequested{false};
}

bool GraphicsDriverGL::ContextEverRequested()
{
    return contextRequested.load();
}

GraphicsResult GraphicsDriverGL::CreateContext()
{
    contextRequested.store(true);
    ShareOneHeapBetweenThreads();
    context_ = SDL_GL_CreateContext(DrawingWindow());
    if (context_ == nullptr) {
        return kGraphicsErrNoDirectDrawHardware;
    }
    MakeCurrent();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    renderer_ = renderer != nullptr ? renderer : "";
    if (IsSoftwareRenderer()) {
        KeepRasterizerFrameMemory();
    } else {
        devices_.push_back(DescribeDevice(DeviceKind::HardwareTransformAndLighting));
    }
    devices_.push_back(DescribeDevice(DeviceKind::Software));
    canBlit_ = CanBlitFramebuffers();
    canFence_ = CanFenceFrames();
    return kGraphicsOk;
}

bool GraphicsDriverGL::IsSoftwareRenderer() const
{
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (renderer_.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

DeviceDescription GraphicsDriverGL::DescribeDevice(DeviceKind kind) const
{
    DeviceDescription device;
    const bool hardware = kind != DeviceKind::Software;
    device.kind = kind;
    device.name = hardware ? "OpenGL hardware device" : "OpenGL software device";
    device.description = device.name + " (" + renderer_ + ")";
    device.hardwareRasterization = hardware;
    device.renderDepths = kRenderDepth16 | kRenderDepth24 | kRenderDepth32;
    GLint value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    device.maxTextureWidth = static_cast<std::uint32_t>(std::max(value, 1));
    device.maxTextureHeight = device.maxTextureWidth;
    value = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &value);
    device.maxSimultaneousTextures =
        std::min<std::uint32_t>(static_cast<std::uint32_t>(std::max(value, 1)), kMaxTextureStages);
    GLfloat anisotropy = 1.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    glGetError(); // a driver without the extension reports an invalid enum; 1 then stands
    device.maxAnisotropy = static_cast<std::uint32_t>(std::max(anisotropy, 1.0f));
    value = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &value);
    device.maxActiveLights = std::min<std::uint32_t>(static_cast<std::uint32_t>(std::max(value, 0)), kMaxLights);
    return device;
}

void GraphicsDriverGL::MakeCurrent()
{
    SDL_GL_MakeCurrent(DrawingWindow(), static_cast<SDL_GLContext>(context_));
}

std::uint32_t GraphicsDriverGL::GetDrawableHeight() const
{
    int width = 0;
    int height = 0;
    DrawingSurfaceSize(width, height);
    return static_cast<std::uint32_t>(std::max(height, 0));
}

void GraphicsDriverGL::DrawingSurfaceSize(int& width, int& height) const
{
    if (pictureFramebuffer_ != 0) {
        width = pictureWidth_;
        height = pictureHeight_;
        return;
    }
    SDL_GL_GetDrawableSize(DrawingWindow(), &width, &height);
}

PictureArea GraphicsDriverGL::GetPresentedPictureArea() const
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(DrawingWindow(), &width, &height);
    if (pictureFramebuffer_ == 0) {
        PictureArea whole;
        whole.width = width;
        whole.height = height;
        return whole;
    }
    return PictureArea::Fit(width, height, pictureWidth_, pictureHeight_);
}

bool GraphicsDriverGL::MakePictureFramebuffer(std::uint32_t width, std::uint32_t height)
{
    if (pictureFramebuffer_ != 0 && static_cast<std::uint32_t>(pictureWidth_) == width &&
        static_cast<std::uint32_t>(pictureHeight_) == height) {
        glBindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer_);
        return true;
    }
    ReleasePictureFramebuffer();
    if (!canBlit_) {
        return false;
    }
    glGenFramebuffers(1, &pictureFramebuffer_);
    glGenRenderbuffers(1, &pictureColour_);
    glGenRenderbuffers(1, &pictureDepth_);
    glBindRenderbuffer(GL_RENDERBUFFER, pictureColour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glBindRenderbuffer(GL_RENDERBUFFER, pictureDepth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, pictureColour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, pictureDepth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
        ReleasePictureFramebuffer();
        return false;
    }
    pictureWidth_ = static_cast<int>(width);
    pictureHeight_ = static_cast<int>(height);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void GraphicsDriverGL::ReleasePictureFramebuffer()
{
    if (pictureFramebuffer_ == 0) {
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &pictureFramebuffer_);
    glDeleteRenderbuffers(1, &pictureColour_);
    glDeleteRenderbuffers(1, &pictureDepth_);
    pictureFramebuffer_ = 0;
    pictureColour_ = 0;
    pictureDepth_ = 0;
    pictureWidth_ = 0;
    pictureHeight_ = 0;
}

// The bars black, the picture scaled into its area; the back buffer holds
// nothing of the last frame after a swap, so both are drawn every time.
void GraphicsDriverGL::PresentScaledPicture()
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(DrawingWindow(), &width, &height);
    const PictureArea area = PictureArea::Fit(width, height, pictureWidth_, pictureHeight_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, pictureFramebuffer_);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    // GL counts rows from the bottom.
    glBlitFramebuffer(0, 0, pictureWidth_, pictureHeight_, area.x, height - (area.y + area.height), area.x + area.width,
                      height - area.y, GL_COLOR_BUFFER_BIT,
                      area.width == pictureWidth_ && area.height == pictureHeight_ ? GL_NEAREST : GL_LINEAR);
}

std::vector<AdapterDescription> GraphicsDriverGL::EnumerateAdapters()
{
    AdapterDescription adapter;
    adapter.description = "OpenGL display driver (" + renderer_ + ")";
    adapter.primary = true;
    adapter.canRenderWindowed = true;
    const int display = std::max(SDL_GetWindowDisplayIndex(DrawingWindow()), 0);
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(display, &desktop) == 0) {
        adapter.desktopMode = DisplayMode{static_cast<std::uint32_t>(std::max(desktop.w, 0)),
                                          static_cast<std::uint32_t>(std::max(desktop.h, 0)), BitsOf(desktop.format),
                                          static_cast<std::uint32_t>(std::max(desktop.refresh_rate, 0))};
    }
    const int count = SDL_GetNumDisplayModes(display);
    for (int index = 0; index < count; ++index) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, index, &mode) == 0 && mode.w > 0 && mode.h > 0) {
            adapter.displayModes.push_back(DisplayMode{static_cast<std::uint32_t>(mode.w),
                                                       static_cast<std::uint32_t>(mode.h), BitsOf(mode.format),
                                                       static_cast<std::uint32_t>(std::max(mode.refresh_rate, 0))});
        }
    }
    const DisplayMode& desk = adapter.desktopMode;
    for (const auto& size : kWindowedSizes) {
        if (size[0] <= desk.width && size[1] <= desk.height) {
            for (std::uint32_t bits : {16u, 32u}) {
                adapter.displayModes.push_back(DisplayMode{size[0], size[1], bits, 0});
            }
        }
    }
    if (desk.width > 0 && desk.height > 0) {
        adapter.displayModes.push_back(DisplayMode{desk.width, desk.height, desk.bitsPerPixel, desk.refreshRate});
    }
    std::stable_sort(adapter.displayModes.begin(), adapter.displayModes.end(), ModeBefore);
    adapter.displayModes.erase(std::unique(adapter.displayModes.begin(), adapter.displayModes.end(), SameMode),
                               adapter.displayModes.end());
    adapter.devices = devices_;
    return {adapter};
}

GraphicsResult GraphicsDriverGL::OpenAdapter(std::uint32_t adapter)
{
    if (adapter != 0) {
        return kGraphicsErrInvalidParams;
    }
    MakeCurrent();
    adapterOpen_ = true;
    ClearDeviceLoss();
    return kGraphicsOk;
}

void GraphicsDriverGL::CloseAdapter()
{
    ReleaseScreenBuffers();
    adapterOpen_ = false;
    ClearDeviceLoss();
}

GraphicsResult GraphicsDriverGL::SetCooperativeLevel(bool)
{
    return adapterOpen_ ? kGraphicsOk : kGraphicsErrInvalidObject;
}

GraphicsResult GraphicsDriverGL::GetDisplayMode(DisplayMode& mode)
{
    SDL_DisplayMode current{};
    const int display = std::max(SDL_GetWindowDisplayIndex(DrawingWindow()), 0);
    if (SDL_GetCurrentDisplayMode(display, &current) != 0) {
        return kGraphicsErrGeneric;
    }
    mode = DisplayMode{static_cast<std::uint32_t>(std::max(current.w, 0)),
                       static_cast<std::uint32_t>(std::max(current.h, 0)), BitsOf(current.format),
                       static_cast<std::uint32_t>(std::max(current.refresh_rate, 0))};
    return kGraphicsOk;
}

GraphicsResult GraphicsDriverGL::SetDisplayMode(const DisplayMode& mode)
{
    // A picture shown scaled leaves the desktop in its own mode.
    if (borrowedWindow_ != nullptr && borrowedWindow_->ShowsPictureScaled()) {
        return kGraphicsOk;
    }
    SDL_DisplayMode wanted{};
    wanted.w = static_cast<int>(mode.width);
    wanted.h = static_cast<int>(mode.height);
    wanted.refresh_rate = static_cast<int>(mode.refreshRate);
    SDL_DisplayMode closest{};
    const int display = std::max(SDL_GetWindowDisplayIndex(DrawingWindow()), 0);
    // The window takes the mode when it goes full screen; a mode that does not exist is refused.
    if (SDL_GetClosestDisplayMode(display, &wanted, &closest) == nullptr ||
        SDL_SetWindowDisplayMode(DrawingWindow(), &closest) != 0) {
        return kGraphicsErrInvalidMode;
    }
    return kGraphicsOk;
}

GraphicsResult GraphicsDriverGL::CreateScreenBuffers(std::uint32_t width, std::uint32_t height, bool)
{
    if (!adapterOpen_) {
        return kGraphicsErrInvalidObject;
    }
    if (width == 0 || height == 0) {
        return kGraphicsErrInvalidParams;
    }
    // The game's window is sized by its owner, which remakes its surface where
    // the video driver needs that; the context follows it here. A window of our
    // own follows the mode. It is made anew, because resizing does not resize
    // the drawing surface under every video driver (the offscreen one keeps its
    // first size).
    if (borrowedWindow_ != nullptr) {
        MakeCurrent();
        if (!borrowedWindow_->ShowsPictureScaled()) {
            ReleasePictureFramebuffer();
            return kGraphicsOk;
        }
        return MakePictureFramebuffer(width, height) ? kGraphicsOk : kGraphicsErrOutOfMemory;
    }
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(ownWindow_, &drawableWidth, &drawableHeight);
    if (static_cast<std::uint32_t>(drawableWidth) != width || static_cast<std::uint32_t>(drawableHeight) != height) {
        SDL_Window* resized =
            SDL_CreateWindow("Quillory", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, static_cast<int>(width),
                             static_cast<int>(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (resized == nullptr) {
            return kGraphicsErrOutOfMemory;
        }
        if (SDL_GL_MakeCurrent(resized, static_cast<SDL_GLContext>(context_)) != 0) {
            SDL_DestroyWindow(resized);
            MakeCurrent();
            return kGraphicsErrGeneric;
        }
        SDL_DestroyWindow(ownWindow_);
        ownWindow_ = resized;
    }
    return kGraphicsOk;
}

void GraphicsDriverGL::ReleaseScreenBuffers()
{
    if (context_ != nullptr && pictureFramebuffer_ != 0) {
        MakeCurrent();
        ReleasePictureFramebuffer();
    }
}

std::vector<ZBufferFormat> GraphicsDriverGL::EnumerateZBufferFormats(std::uint32_t)
{
    // Total bits per depth texel, stencil included: the context's 24 depth and
    // 8 stencil bits serve a 32-bit request with or without stencil, and a
    // 16-bit one without.
    int depth = 0;
    int stencil = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    std::vector<ZBufferFormat> formats;
    if (depth >= 16) {
        formats.push_back(ZBufferFormat{16, 0});
    }
    if (depth >= 24) {
        formats.push_back(ZBufferFormat{32, 0});
        if (stencil > 0) {
            formats.push_back(ZBufferFormat{32, static_cast<std::uint32_t>(stencil)});
        }
    }
    return formats;
}

GraphicsResult GraphicsDriverGL::CreateDevice(std::uint32_t device, std::unique_ptr<GraphicsDevice>& out)
{
    out.reset();
    if (!adapterOpen_) {
        return kGraphicsErrInvalidObject;
    }
    if (device >= devices_.size()) {
        return kGraphicsErrInvalidParams;
    }
    MakeCurrent();
    out = std::make_unique<GraphicsDeviceGL>(devices_[device], this);
    return kGraphicsOk;
}

void GraphicsDriverGL::DeleteQueuedTextureNames()
{
    deletedNames_->TakeAll(namesToDelete_);
    if (!namesToDelete_.empty()) {
        glDeleteTextures(static_cast<GLsizei>(namesToDelete_.size()), namesToDelete_.data());
    }
}

GraphicsResult GraphicsDriverGL::Present(bool waitForVerticalBlank)
{
    if (AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    const int interval = waitForVerticalBlank ? 1 : 0;
    if (interval != swapInterval_) {
        // Some drivers refuse to change it; presenting goes on either way.
        SDL_GL_SetSwapInterval(interval);
        swapInterval_ = interval;
    }
    DeleteQueuedTextureNames();
    if (pictureFramebuffer_ != 0) {
        PresentScaledPicture();
    } else if (NeedsKeptFrame()) {
        if (frameDrawn_) {
            KeepPresentedFrame();
        } else {
            RestorePresentedFrame();
        }
    }
    frameDrawn_ = false;
    SDL_GL_SwapWindow(DrawingWindow());
    if (pictureFramebuffer_ != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer_);
    }
    LimitFramesInFlight();
    return kGraphicsOk;
}

// Where a swap does not wait for the picture (an offscreen surface, a driver
// that queues), the game could hand the driver frame after frame while a
// software rasteriser still bins them: every queued frame holds its binned
// triangles, tens of megabytes at a time, and input lags as far behind.
// Waiting for the frame before the last keeps two frames in flight at most,
// which still lets the next frame be built while one is drawn.
void GraphicsDriverGL::LimitFramesInFlight()
{
    if (!canFence_) {
        return;
    }
    constexpr GLuint64 kWaitLimitNanoseconds = 1000000000;
    if (void*& oldest = frameFences_[nextFence_]; oldest != nullptr) {
        glClientWaitSync(static_cast<GLsync>(oldest), GL_SYNC_FLUSH_COMMANDS_BIT, kWaitLimitNanoseconds);
        glDeleteSync(static_cast<GLsync>(oldest));
        oldest = nullptr;
    }
    frameFences_[nextFence_] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    nextFence_ = (nextFence_ + 1) % kFramesInFlight;
}

void GraphicsDriverGL::ReleaseFrameFences()
{
    for (void*& fence : frameFences_) {
        if (fence != nullptr) {
            glDeleteSync(static_cast<GLsync>(fence));
            fence = nullptr;
        }
    }
}

bool GraphicsDriverGL::IsBackBufferPreserved()
{
    MakeCurrent();
    const EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
    if (surface != swapBehaviourSurface_) {
        swapBehaviourSurface_ = surface;
        backBufferPreserved_ = PreserveCurrentEglSurface(eglGetCurrentDisplay(), surface);
    }
    return backBufferPreserved_;
}

bool GraphicsDriverGL::NeedsKeptFrame()
{
    return canBlit_ && (frameCopyForced_ || !IsBackBufferPreserved());
}

void GraphicsDriverGL::KeepPresentedFrame()
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(DrawingWindow(), &width, &height);
    if (width <= 0 || height <= 0) {
        keptValid_ = false;
        return;
    }
    if (keptFramebuffer_ == 0) {
        glGenFramebuffers(1, &keptFramebuffer_);
        glGenRenderbuffers(1, &keptRenderbuffer_);
    }
    if (width != keptWidth_ || height != keptHeight_) {
        glBindRenderbuffer(GL_RENDERBUFFER, keptRenderbuffer_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, keptFramebuffer_);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, keptRenderbuffer_);
        keptWidth_ = width;
        keptHeight_ = height;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, keptFramebuffer_);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    keptValid_ = glGetError() == GL_NO_ERROR;
}

void GraphicsDriverGL::RestorePresentedFrame()
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(DrawingWindow(), &width, &height);
    // A copy of another size belongs to a picture that no longer fits.
    if (!keptValid_ || width != keptWidth_ || height != keptHeight_) {
        return;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, keptFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void GraphicsDriverGL::ReleaseKeptFrame()
{
    if (keptFramebuffer_ != 0) {
        glDeleteFramebuffers(1, &keptFramebuffer_);
        glDeleteRenderbuffers(1, &keptRenderbuffer_);
    }
    keptFramebuffer_ = 0;
    keptRenderbuffer_ = 0;
    keptWidth_ = 0;
    keptHeight_ = 0;
    keptValid_ = false;
}

GraphicsResult GraphicsDriverGL::ReadBackBuffer(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                                std::uint32_t height, std::uint8_t* pixels)
{
    int drawableWidth = 0;
    int drawableHeight = 0;
    DrawingSurfaceSize(drawableWidth, drawableHeight);
    if (pixels == nullptr || width == 0 || height == 0 ||
        static_cast<std::uint64_t>(x) + width > static_cast<std::uint64_t>(std::max(drawableWidth, 0)) ||
        static_cast<std::uint64_t>(y) + height > static_cast<std::uint64_t>(std::max(drawableHeight, 0))) {
        return kGraphicsErrInvalidParams;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    readRows_.resize(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(pictureFramebuffer_ != 0 ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    // GL counts rows from the bottom; the caller wants them from the top.
    const GLint glY = drawableHeight - static_cast<GLint>(y + height);
    glReadPixels(static_cast<GLint>(x), glY, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                 GL_UNSIGNED_BYTE, readRows_.data());
    if (glGetError() != GL_NO_ERROR) {
        return kGraphicsErrGeneric;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        std::memcpy(pixels + row * rowBytes, readRows_.data() + (height - 1 - row) * rowBytes, rowBytes);
    }
    return kGraphicsOk;
}

} // namespace Platform

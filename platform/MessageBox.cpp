#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <strings.h>

#include <SDL.h>

namespace Platform {

namespace {

// Boxes can be asked for from any thread that ends in an error.
std::mutex recordMutex;
MessageBoxMode mode = MessageBoxMode::Show;
std::vector<RecordedMessageBox> recorded;

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// SDL would still put up an X11 box beside a headless driver when DISPLAY
// happens to be set, and a modal box nobody can see blocks a test run for
// ever; so a headless driver means no box, whatever else the session has.
bool CanShowBox()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && (strcasecmp(driver, "offscreen") == 0 || strcasecmp(driver, "dummy") == 0)) {
        return false;
    }
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

Uint32 SdlFlags(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case MessageBoxIcon::Information:
        break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

} // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        if (mode == MessageBoxMode::Record) {
            recorded.push_back(RecordedMessageBox{caption, text, icon});
            return;
        }
    }
    if (CanShowBox() && SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr) == 0) {
        return;
    }
    // One write, so the line is not interleaved with another thread's output.
    const std::string line = caption + ": " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void SetMessageBoxMode(MessageBoxMode newMode)
{
    std::lock_guard<std::mutex> lock(recordMutex);
    mode = newMode;
    recorded.clear();
}

std::vector<RecordedMessageBox> GetRecordedMessageBoxes()
{
    std::lock_guard<std::mutex> lock(recordMutex);
    return recorded;
}

} // namespace Platform

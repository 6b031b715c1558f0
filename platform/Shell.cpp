#include "platform/Shell.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Platform {

namespace {

std::mutex g_shellMutex;
WebOpenMode g_mode = WebOpenMode::Launch;
std::vector<std::string> g_recorded;

std::string FindOnPath(const std::string& program)
{
    const char* pathVariable = std::getenv("PATH");
    if (pathVariable == nullptr) {
        return std::string();
    }
    const std::string folders(pathVariable);
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        // An empty entry means the current directory; a browser launcher is
        // never looked for there.
        if (end > begin) {
            const std::string candidate = folders.substr(begin, end - begin) + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        begin = end + 1;
    }
    return std::string();
}

// Starts the launcher in a grandchild of its own session, so it outlives us,
// never becomes our zombie and cannot take our terminal. Only the short-lived
// middle child is waited for. Between fork and exec only async-signal-safe
// calls are made, as other threads may hold locks at the moment of the fork.
bool LaunchDetached(const std::string& launcher, const std::string& address)
{
    const char* const argv[] = {"xdg-open", address.c_str(), nullptr};
    const pid_t middle = fork();
    if (middle < 0) {
        return false;
    }
    if (middle == 0) {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            const int devNull = open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                dup2(devNull, STDIN_FILENO);
                dup2(devNull, STDOUT_FILENO);
                dup2(devNull, STDERR_FILENO);
                if (devNull > STDERR_FILENO) {
                    close(devNull);
                }
            }
            execv(launcher.c_str(), const_cast<char* const*>(argv));
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(middle, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

void SetWebOpenMode(WebOpenMode mode)
{
    std::lock_guard<std::mutex> lock(g_shellMutex);
    g_mode = mode;
    if (mode == WebOpenMode::Record) {
        g_recorded.clear();
    }
}

bool OpenWebAddress(const std::string& address)
{
    // An address starting with '-' would reach the launcher as an option.
    if (address.empty() || address.front() == '-') {
        return false;
    }
    std::unique_lock<std::mutex> lock(g_shellMutex);
    switch (g_mode) {
    case WebOpenMode::Disabled:
        return false;
    case WebOpenMode::Record:
        g_recorded.push_back(address);
        return true;
    case WebOpenMode::Launch:
        break;
    }
    lock.unlock();
    const std::string launcher = FindOnPath("xdg-open");
    return !launcher.empty() && LaunchDetached(launcher, address);
}

std::vector<std::string> GetRecordedWebAddresses()
{
    std::lock_guard<std::mutex> lock(g_shellMutex);
    return g_recorded;
}

} // namespace Platform

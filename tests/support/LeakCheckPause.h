// What a test process needs to run OpenGL under the leak checker.
//
// ScopedLeakCheckPause leaves out of the check whatever this thread allocates
// while it lives: the GL driver keeps allocations from its start-up and from
// the shaders it compiles for the whole process and frees nothing when SDL
// unloads it.
//
// PinGraphicsLibraries keeps the GL libraries loaded until the process ends.
// Unloaded, they leave stale thread-local entries behind that the leak
// checker's thread scan trips over. Call it before making a GL context.
// GraphicsWereUsed tells afterwards whether it was called in this process.
//
// Without the leak checker both do nothing harmful.
#pragma once

namespace TestSupport {

class ScopedLeakCheckPause
{
public:
    ScopedLeakCheckPause();
    ~ScopedLeakCheckPause();
    ScopedLeakCheckPause(const ScopedLeakCheckPause&) = delete;
    ScopedLeakCheckPause& operator=(const ScopedLeakCheckPause&) = delete;
};

void PinGraphicsLibraries();
bool GraphicsWereUsed();

} // namespace TestSupport

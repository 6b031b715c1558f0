// What the benchmarks that measure the engine against raw GL share: an
// offscreen context with the engine's render system over it, a wait for the
// picture, textures uploaded by hand, a frame whose GL state is saved around
// it (so that neither path disturbs the other), and one engine model's
// buffers drawn with the calls a hand-written renderer would make.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <memory>

#include "engine/core/Config.h"
#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "platform/GraphicsDriverGL.h"

namespace Bench {

// Waits for the picture on the current context, so that a path pays for its drawing.
inline void FinishPicture()
{
    std::uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

struct OffscreenRenderSystem
{
    OffscreenRenderSystem(std::uint32_t width, std::uint32_t height)
        : log("Bench", false, false, "", ""), config(&log, nullptr, "folder", "", false, "", false, false)
    {
        std::unique_ptr<Platform::GraphicsDriverGL> made;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(width, height, made)))
            return;
        driver = made.get();
        system =
            std::make_unique<OrrelayEngine::RenderSystem_D3D7>(&log, &config, nullptr, true, false, std::move(made));
        system->Refresh();
    }

    bool Ready() const { return system != nullptr; }

    void Finish()
    {
        std::uint8_t pixel[4];
        driver->ReadBackBuffer(0, 0, 1, 1, pixel);
    }

    OrrelayEngine::MessageManager log;
    OrrelayEngine::Config config;
    Platform::GraphicsDriverGL* driver = nullptr;
    std::unique_ptr<OrrelayEngine::RenderSystem_D3D7> system;
};

// Rows as given; a picture stored top row first lands upside down, which the
// timing does not care about. format is GL_RGB, GL_RGBA or GL_BGRA.
inline GLuint UploadTexture(std::uint32_t width, std::uint32_t height, GLenum format, const void* pixels)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, format == GL_RGB ? GL_RGB8 : GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, format, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return name;
}

// Saves the GL state and both matrices, loads the projection (row-major, as
// the engine keeps matrices), clears, and enables the vertex, normal and first
// texture coordinate arrays; everything is restored at the end of the scope.
class RawGLFrame
{
public:
    explicit RawGLFrame(const OrrelayEngine::Matrix4& projection)
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        OrrelayEngine::Matrix4 columns = projection;
        columns.Transpose();
        glLoadMatrixf(columns.m);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glClientActiveTexture(GL_TEXTURE0);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
    }

    ~RawGLFrame()
    {
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopClientAttrib();
        glPopAttrib();
    }

    RawGLFrame(const RawGLFrame&) = delete;
    RawGLFrame& operator=(const RawGLFrame&) = delete;

    static OrrelayEngine::Matrix4 Ortho(float width, float height)
    {
        OrrelayEngine::Matrix4 projection;
        OrrelayEngine::MatrixSetIdentity(projection);
        projection.m[0] = 2.0f / width;
        projection.m[3] = -1.0f;
        projection.m[5] = 2.0f / height;
        projection.m[7] = -1.0f;
        projection.m[10] = -1.0f / 500.0f;
        return projection;
    }

    static OrrelayEngine::Matrix4 Frustum(double left, double right, double bottom, double top, double nearDistance,
                                          double farDistance)
    {
        OrrelayEngine::Matrix4 projection;
        OrrelayEngine::MatrixSetIdentity(projection);
        projection.m[0] = static_cast<float>(2.0 * nearDistance / (right - left));
        projection.m[2] = static_cast<float>((right + left) / (right - left));
        projection.m[5] = static_cast<float>(2.0 * nearDistance / (top - bottom));
        projection.m[6] = static_cast<float>((top + bottom) / (top - bottom));
        projection.m[10] = static_cast<float>(-(farDistance + nearDistance) / (farDistance - nearDistance));
        projection.m[11] = static_cast<float>(-2.0 * farDistance * nearDistance / (farDistance - nearDistance));
        projection.m[14] = -1.0f;
        projection.m[15] = 0.0f;
        return projection;
    }
};

// One model's triangles with the model-view matrix given as GL takes it, the
// colour array on when the vertices carry colours; the rest of the state is
// the caller's.
inline void DrawBuffersAt(const OrrelayEngine::VertexBuffer& vertices, const OrrelayEngine::IndexBuffer& indices,
                          bool strip, const GLfloat modelView[16])
{
    glLoadMatrixf(modelView);
    const std::uint8_t* base = vertices.GetData();
    const GLsizei stride = vertices.GetStride();
    glVertexPointer(3, GL_FLOAT, stride, base);
    glNormalPointer(GL_FLOAT, stride, base + 12);
    if (vertices.HasColor()) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + 24);
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
    }
    glTexCoordPointer(2, GL_FLOAT, stride, base + stride - 8);
    glDrawElements(strip ? GL_TRIANGLE_STRIP : GL_TRIANGLES, static_cast<GLsizei>(indices.GetUsedCount()),
                   indices.Is32Bit() ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, indices.GetData());
}

// The same at a placement kept as the engine keeps its model matrices (row
// major, column vectors).
inline void DrawBuffers(const OrrelayEngine::VertexBuffer& vertices, const OrrelayEngine::IndexBuffer& indices,
                        bool strip, const OrrelayEngine::Matrix4& placement)
{
    OrrelayEngine::Matrix4 columns = placement;
    columns.Transpose();
    DrawBuffersAt(vertices, indices, strip, columns.m);
}

} // namespace Bench

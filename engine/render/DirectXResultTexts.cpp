#include "engine/render/DirectXResultTexts.h"

#include "engine/core/StringHelpers.h"

namespace OrrelayEngine {

namespace {

// The texts are UTF-8 (the log's encoding); the one dash in them is an en dash.
const DirectXResultText kResultTexts[] = {
    {0x80004001u, "The operation is not supported."},
    {0x80004005u, "There is an undefined error condition."},
    {0x800401F0u, "An attempt was made to call an interface method of a DirectDraw object created by "
                  "CoCreateInstance before the object was initialized."},
    {0x8007000Eu, "DirectDraw does not have enough memory to perform the operation."},
    {0x80070057u, "One or more of the parameters passed to the method are incorrect."},
    {0x88760005u, "The object has already been initialized."},
    {0x8876000Au, "A surface cannot be attached to another requested surface."},
    {0x88760014u, "A surface cannot be detached from another requested surface."},
    {0x88760028u, "No support is currently available."},
    {0x88760037u, "An exception was encountered while performing the requested operation."},
    {0x8876005Au, "The height of the provided rectangle is not a multiple of the required alignment."},
    {0x8876005Fu, "The primary surface creation request does not match the existing primary surface."},
    {0x88760064u, "One or more of the capability bits passed to the callback function are incorrect."},
    {0x8876006Eu, "DirectDraw does not support the provided clip list."},
    {0x88760078u, "DirectDraw does not support the requested mode."},
    {0x88760082u, "DirectDraw received a pointer that was an invalid DirectDraw object."},
    {0x88760091u, "The pixel format was invalid as specified."},
    {0x88760096u, "The provided rectangle was invalid."},
    {0x887600A0u, "One or more surfaces are locked, preventing operation."},
    {0x887600AAu, "No 3-D hardware or emulation is present."},
    {0x887600B4u, "No alpha-acceleration hardware is present or available, causing the failure of the "
                  "requested operation."},
    {0x887600B5u, "There is no stereo hardware present or available."},
    {0x887600B6u, "There is no hardware present that supports stereo surfaces."},
    {0x887600CDu, "No clip list is available."},
    {0x887600D2u, "The operation cannot be carried out because no color-conversion hardware is present "
                  "or available."},
    {0x887600D4u, "A create function was called without the IDirectDraw7::SetCooperativeLevel method "
                  "being called."},
    {0x887600D7u, "The surface does not currently have a color key."},
    {0x887600DCu, "The operation cannot be carried out because there is no hardware support for the "
                  "destination color key."},
    {0x887600DEu, "DirectDraw support is not possible with the current display driver."},
    {0x887600E1u, "The operation requires the application to have exclusive mode, but the application does "
                  "not have exclusive mode."},
    {0x887600E6u, "Flipping visible surfaces is not supported."},
    {0x887600F0u, "No GDI is present."},
    {0x887600FAu, "The operation cannot be carried out because no mirroring hardware is present or "
                  "available."},
    {0x887600FFu, "The requested item was not found."},
    {0x88760104u, "The operation cannot be carried out because no overlay hardware is present or "
                  "available."},
    {0x8876010Eu, "The operation could not be carried out because the source and destination rectangles "
                  "are on the same surface and overlap each other."},
    {0x88760118u, "The operation cannot be carried out because no appropriate raster-operation hardware is "
                  "present or available."},
    {0x88760122u, "The operation cannot be carried out because no rotation hardware is present or "
                  "available."},
    {0x88760136u, "The operation cannot be carried out because there is no hardware support for "
                  "stretching."},
    {0x8876013Cu, "The DirectDrawSurface object is not using a 4-bit color palette, and the requested "
                  "operation requires a 4-bit color palette."},
    {0x8876013Du, "The DirectDrawSurface object is not using a 4-bit color index palette, and the requested "
                  "operation requires a 4-bit color index palette."},
    {0x88760140u, "The DirectDrawSurface object is not using an 8-bit color palette, and the requested "
                  "operation requires an 8-bit color palette."},
    {0x8876014Au, "The operation cannot be carried out because no texture-mapping hardware is present or "
                  "available."},
    {0x8876014Fu, "There is no hardware support for vertical blank\xE2\x80\x93synchronized operations."},
    {0x88760154u, "The operation to create a z-buffer in display memory or to perform a blit, using a "
                  "z-buffer cannot be carried out because there is no hardware support for z-buffers."},
    {0x8876015Eu, "The overlay surfaces cannot be z-layered, based on the z-order because the hardware does "
                  "not support z-ordering of overlays."},
    {0x88760168u, "The hardware needed for the requested operation has already been allocated."},
    {0x8876017Cu, "DirectDraw does not have enough display memory to perform the operation."},
    {0x8876017Eu, "The hardware does not support clipped overlays."},
    {0x88760180u, "An attempt was made to have more than one color key active on an overlay."},
    {0x88760183u, "Access to this palette is refused because the palette is locked by another thread."},
    {0x88760190u, "The color key is not set."},
    {0x8876019Au, "An attempt was made to attach a surface to another surface to which it is already "
                  "attached."},
    {0x887601A4u, "An attempt was made to make a surface a dependency of another surface on which it is "
                  "already dependent."},
    {0x887601AEu, "Access to the surface is refused because the surface is locked by another thread."},
    {0x887601B3u, "Access to the surface is refused because an attempt was made to lock the primary surface "
                  "without DCI support."},
    {0x887601B8u, "Access to the surface is refused because the surface is obscured."},
    {0x887601C2u, "Access to the surface is refused because the surface memory is gone. Call the "
                  "IDirectDrawSurface7::Restore method on this surface to restore the memory associated "
                  "with it."},
    {0x887601CCu, "The requested surface is not attached."},
    {0x887601D6u, "The height requested by DirectDraw is too large."},
    {0x887601E0u, "The size requested by DirectDraw is too large. However, the individual height and width "
                  "are valid sizes."},
    {0x887601EAu, "The width requested by DirectDraw is too large."},
    {0x887601FEu, "The pixel format of the destination surface is not supported."},
    {0x88760208u, "The bitmask in the pixel format requested is not supported by DirectDraw."},
    {0x88760209u, "The specified stream contains invalid data."},
    {0x88760219u, "A vertical blank is in progress."},
    {0x8876021Cu, "The previous blit operation that is transferring information to or from this surface is "
                  "incomplete."},
    {0x8876021Eu, "The surface needs to be a complex surface (a mipmap chain or a flipping chain)."},
    {0x88760230u, "The provided rectangle was not horizontally aligned on a required boundary."},
    {0x88760231u, "The globally unique identifier (GUID) passed to the DirectDrawCreate function is not a "
                  "valid DirectDraw driver identifier."},
    {0x88760232u, "A DirectDraw object representing this driver has already been created for this "
                  "process."},
    {0x88760233u, "Hardware-only DirectDraw object creation is not possible; the driver does not support "
                  "any hardware."},
    {0x88760234u, "This process has already created a primary surface."},
    {0x88760235u, "Software emulation is not available."},
    {0x88760236u, "The region passed to the IDirectDrawClipper::GetClipList method is too small."},
    {0x88760237u, "An attempt was made to set a clip list for a DirectDrawClipper object that is already "
                  "monitoring a window handle."},
    {0x88760238u, "No DirectDrawClipper object is attached to the surface object."},
    {0x88760239u, "The clipper notification requires a window handle, or no window handle has been "
                  "previously set as the cooperative level window handle."},
    {0x8876023Au, "DirectDraw is prevented from restoring state because the DirectDraw cooperative-level "
                  "window handle has been subclassed."},
    {0x8876023Bu, "The DirectDraw cooperative-level window handle has already been set. It cannot be reset "
                  "while the process has surfaces or palettes created."},
    {0x8876023Cu, "No palette object is attached to this surface."},
    {0x8876023Du, "No hardware support for 16- or 256-color palettes."},
    {0x8876023Eu, "The blit operation cannot be clipped."},
    {0x8876023Fu, "No blitter hardware is present."},
    {0x88760240u, "No DirectDraw raster-operation (ROP) hardware is available."},
    {0x88760241u, "The IDirectDrawSurface7::GetOverlayPosition method is called on a hidden overlay."},
    {0x88760242u, "The IDirectDrawSurface7::GetOverlayPosition method is called on an overlay that the "
                  "IDirectDrawSurface7::UpdateOverlay method has not been called on to establish as a "
                  "destination."},
    {0x88760243u, "The position of the overlay on the destination is no longer legal."},
    {0x88760244u, "An overlay component is called for a nonoverlay surface."},
    {0x88760245u, "An attempt was made to set the cooperative level when it was already set to "
                  "exclusive."},
    {0x88760246u, "An attempt has been made to flip a surface that cannot be flipped."},
    {0x88760247u, "Primary and 3-D surfaces, or surfaces that are implicitly created, cannot be "
                  "duplicated."},
    {0x88760248u, "An attempt was made to unlock a surface that was not locked."},
    {0x88760249u, "A device context (DC) has already been returned for this surface. Only one DC can be "
                  "retrieved for each surface."},
    {0x8876024Au, "DirectDraw could not obtain a device context."},
    {0x8876024Bu, "This surface cannot be restored because it was created in a different mode."},
    {0x8876024Cu, "The surface cannot be freed because it is an implicit surface."},
    {0x8876024Du, "The surface is not a palette-based surface."},
    {0x8876024Eu, "The display is currently in an unsupported mode."},
    {0x8876024Fu, "The operation cannot be carried out because no mipmap capable texture mapping hardware is "
                  "present or available."},
    {0x88760250u, "The surface was of an invalid type."},
    {0x88760258u, "The device does not support optimized surfaces."},
    {0x88760259u, "The surface is an optimized surface, but it has not yet been allocated any memory."},
    {0x8876025Au, "An attempt was made to set the cooperative level without a focus window."},
    {0x8876026Cu, "A hardware device context (DC) has already been returned for this surface."},
    {0x88760276u, "The requested operation failed because no nonlocal display memory is available."},
    {0x88760280u, "An attempt to page-lock a surface failed."},
    {0x88760294u, "An attempt to page-unlock a surface failed."},
    {0x887602A8u, "An attempt was made to page-unlock a surface with no outstanding page locks."},
    {0x887602B2u, "There is more data available than the specified buffer size can hold."},
    {0x887602B3u, "The data has expired and is therefore no longer valid."},
    {0x887602B4u, "The visual test has finished."},
    {0x887602B5u, "When advancing the display mode test, a new mode is ready to be tested."},
    {0x887602B7u, "A DirectDraw object was created without Direct3D being initialized."},
    {0x887602B8u, "The video port is not active."},
    {0x887602B9u, "The monitor does not have EDID data."},
    {0x887602BBu, "The specified surface is not owned by the device."},
};

} // namespace

const DirectXResultText* GetDirectXResultTable()
{
    return kResultTexts;
}

std::size_t GetDirectXResultCount()
{
    return sizeof(kResultTexts) / sizeof(kResultTexts[0]);
}

std::string DescribeDirectXResult(std::int32_t result)
{
    const auto code = static_cast<std::uint32_t>(result);
    for (const DirectXResultText& entry : kResultTexts) {
        if (entry.code == code) {
            return entry.text;
        }
    }
    return "Unknown error (Code: " + IntToString(result) + ")";
}

} // namespace OrrelayEngine

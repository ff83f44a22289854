#pragma once
// What the graphics driver offers, gathered once through a throw-away window and context: the
// window system's extensions, the accelerated pixel formats with their sample counts, and the
// display modes, with the switching between the desktop mode and a full-screen mode. One adapter
// is shared by the whole program; the rendering application keeps it alive through its holder.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "renderer/Renderer_DisplayModes.h"

namespace PAL
{
class Window;
}

namespace Renderer
{
namespace SwapMethod
{
constexpr u32 None = 0;
constexpr u32 Exchange = 1;
constexpr u32 Copy = 2;
constexpr u32 Undefined = 3;
}  // namespace SwapMethod

// A pixel-format request, and an available format (whose index is the driver's, from 1).
struct PixelFormatRequest
{
    u32 index = 0;
    u32 colorBits = 0;
    u32 redBits = 0;
    u32 greenBits = 0;
    u32 blueBits = 0;
    u32 alphaBits = 0;
    u32 depthBits = 0;
    u32 stencilBits = 0;
    u32 samples = 0;
    u32 sampleBuffers = 0;  // non-zero: multisampled
    u32 swapMethod = SwapMethod::None;
};

class Adapter : public Core::Object
{
public:
    // A new adapter, recorded as the process-wide one (which holds no reference).
    static Core::RefPtr<Adapter> CreateInstance();
    // The process-wide adapter; made when there is none.
    static Core::RefPtr<Adapter> GetInstance();

    ~Adapter() override;

    // The index of the first accelerated, double-buffered RGBA format that meets the request
    // (at least its bit counts, its samples, and sample buffers when it asks for them); 0 when
    // none does.
    u32 ChoosePixelFormat(const PixelFormatRequest& request) const;

    u8 HasSwapControl() const { return swapControl; }
    u8 HasMultisample() const { return multisample; }
    bool HasPixelFormatExtension() const;
    const Core::Vector<PixelFormatRequest>& GetPixelFormats() const { return pixelFormats; }
    // Distinct sample counts of the formats, smallest first (only with multisample support).
    const Core::Vector<u32>& GetSampleCounts() const { return sampleCounts; }
    const Core::Vector<Core::String>& GetWindowSystemExtensions() const { return extensions; }

    const DisplayModes& GetDisplayModes() const { return displayModes; }
    const DisplayMode& GetDesktopMode() const { return desktopMode; }
    void SetRequestedMode(const DisplayMode& mode) { requestedMode = mode; }
    const DisplayMode& GetRequestedMode() const { return requestedMode; }
    u8 IsFullScreenActive() const { return fullScreenActive; }

    // Whether the system would accept the mode closest to the requested one.
    bool TestMode() const;
    // Puts the window full screen at the mode closest to the given one.
    bool SetMode(const DisplayMode& mode, PAL::Window& window);
    // To the requested mode, or back to the desktop; only a change of state does anything.
    void ToggleMode(bool fullScreen, PAL::Window& window);

private:
    Adapter();
    void FillPixelFormats();

    u8 swapControl = 0;
    u8 fullScreenActive = 0;
    u8 multisample = 0;
    DisplayModes displayModes;
    DisplayMode requestedMode{100, 100, 16, 60};
    DisplayMode desktopMode{100, 100, 16, 60};
    Core::Vector<PixelFormatRequest> pixelFormats;
    Core::Vector<u32> sampleCounts;
    Core::Vector<Core::String> extensions;
};

// Keeps the process-wide adapter alive: the first holder makes it, the last one lets it go.
class AdapterHolder
{
public:
    AdapterHolder();
    ~AdapterHolder();
    AdapterHolder(const AdapterHolder&) = delete;
    AdapterHolder& operator=(const AdapterHolder&) = delete;

    Adapter* Get() const { return adapter.Get(); }
    static u32 GetHolderCount() { return holders; }

private:
    Core::RefPtr<Adapter> adapter;
    static u32 holders;
};
}  // namespace Renderer

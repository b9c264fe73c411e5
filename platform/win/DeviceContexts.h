// Internal to platform/win: device contexts of other devices than windows and bitmaps
// (printers), made by the code that runs those devices.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

#include <memory>

namespace vqwin {
class DisplayList;
}

namespace vqwin::detail {

struct DeviceCaps {
    CSize pixels;       // the printable area
    CSize millimetres;  // the physical page
    int dpiX = 96;
    int dpiY = 96;
};

// A context of a device with these measures; it draws into the target set last.
HDC CreateDeviceContext(const DeviceCaps& caps);
// Where the context's drawing goes from now on; null keeps it nowhere.
BOOL SetDrawingTarget(HDC dc, std::shared_ptr<DisplayList> target);

} // namespace vqwin::detail

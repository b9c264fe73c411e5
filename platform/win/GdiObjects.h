// Internal to platform/win: the drawing objects behind font, pen, brush and bitmap handles.
#pragma once

#include "win/DisplayList.h"
#include "win/Gdi.h"

#include <memory>
#include <string>

class CGdiObject;

namespace vqwin::detail {

struct GdiObject {
    enum class Kind { Font, Pen, Brush, Bitmap };

    Kind kind = Kind::Font;
    bool stock = false;
    LOGFONT font{};
    LOGPEN pen{};
    LOGBRUSH brush{};
    int width = 0;
    int height = 0;
    std::string label;
    std::shared_ptr<DisplayList> content; // what has been drawn into a bitmap
};

// Records an operation on a device context under its clip rectangle (image lists draw
// this way); false for an unknown context.
bool RecordOnContext(HDC dc, DisplayOp op);

class GdiObjects {
public:
    static HGDIOBJ Add(GdiObject object);
    // A copy of the object's description; false for an unknown handle.
    static bool Find(HGDIOBJ handle, GdiObject& out);
    static bool Remove(HGDIOBJ handle);
    static HGDIOBJ Stock(int index);
    // The temporary object of a handle, of the class of its kind; null for an unknown handle.
    static CGdiObject* Wrapper(HGDIOBJ handle);
};

} // namespace vqwin::detail

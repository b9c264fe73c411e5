// Internal to platform/win: the class-library objects of image-list handles.
#pragma once

#include "win/ImageList.h"

class CImageList;

namespace vqwin::detail {

// The object attached to the list, else a temporary one that lives as long as the list;
// null for an unknown handle.
CImageList* ImageListObject(HIMAGELIST list);
bool AttachImageListObject(HIMAGELIST list, CImageList* object);
void DetachImageListObject(HIMAGELIST list, const CImageList* object);

} // namespace vqwin::detail

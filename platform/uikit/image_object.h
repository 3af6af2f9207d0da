#pragma once
// UIImage as the runtime sees it. Images are plain shared values everywhere else; an instance of the
// runtime class "UIImage" wraps one so that methods added to UIImage (categories) can be sent to it.
#include "platform/device/process.h"
#include "platform/graphics/image.h"
#include "platform/runtime/object.h"

namespace platform {

class UIImageObject : public rt::Object {
 public:
  explicit UIImageObject(rt::Class& cls) : rt::Object(cls) {}
  UIImagePtr image;  // nil for an image object made empty
};

// An instance of the process's UIImage class holding `image` (UIKit's classes are registered first if need
// be).
rt::Id imageObject(Process& process, UIImagePtr image);
// The image behind a UIImage instance; nil for nil or another object.
UIImagePtr imageOf(const rt::Id& object);

}  // namespace platform

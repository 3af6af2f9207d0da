#include "platform/uikit/image_object.h"

#include "platform/runtime/message.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

rt::Id imageObject(Process& process, UIImagePtr image) {
  rt::Class* cls = uikitClass(process, "UIImage");
  auto made = cls ? rt::cast<UIImageObject>(cls->allocate()) : nullptr;
  if (made) made->image = std::move(image);
  return made;
}

UIImagePtr imageOf(const rt::Id& object) {
  auto wrapped = rt::cast<UIImageObject>(object);
  return wrapped ? wrapped->image : nullptr;
}

}  // namespace platform

#pragma once
// A page of text as a reading app shows it: a title and paragraphs, wrapped into lines of labels in the
// system font, black on white, running under the status bar as a page scrolled a little does.
#include <memory>

#include "platform/graphics/geometry.h"

namespace platform {

class Process;
class UIView;

std::shared_ptr<UIView> makeTextPage(Process& process, CGRect frame);

}  // namespace platform

#pragma once
// The two colour notifications Tarvo12 receives from the apps.
#include "platform/foundation/plist_value.h"

namespace tarvo {

class Tarvo12;

// "velkarin.tarvo12.getstatusbarproperties": the front app's answer; applied whichever app sent it.
void statusBarColorReceived(Tarvo12& lib, const platform::PlistDict* userInfo);
// "velkarin.tarvo12.storeColors": a status bar's new colour, filed under its app.
void statusColorStoreReceived(Tarvo12& lib, const platform::PlistDict* userInfo);

}  // namespace tarvo

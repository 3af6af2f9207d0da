#pragma once
// Which status bar items the HUD hides while it shows, in which priority, and how it restores them.

namespace tarvo {

class Tarvo12;
class TarvoHUD;

// Item numbers of the shell's state provider, always requested in this order.
inline constexpr int kTimeItem = 0;
inline constexpr int kLeftItems[] = {3, 4, 6, 9, 28, 29, 31, 32};
inline constexpr int kRightItems[] = {2, 12, 13, 14, 15, 16, 17, 18, 21, 22, 24, 26, 38, 39};

// The show side: the notched path, then the first classic rule that matches.
void hideStatusBarItemsForShow(Tarvo12& lib, TarvoHUD& hud);
// The hide completion's side, with forceUpdate after every restoration but the whole-bar one.
void restoreStatusBarItemsAfterHide(Tarvo12& lib, TarvoHUD& hud);

}  // namespace tarvo

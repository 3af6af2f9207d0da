#pragma once
// Which status bar items the HUD hides while it shows, in which priority, and how it restores them.

namespace tarvo {

struct Settings;
class Tarvo12;
class TarvoHUD;

// Item numbers of the shell's state provider, always requested in this order.
inline constexpr int kTimeItem = 0;
inline constexpr int kLeftItems[] = {3, 4, 6, 9, 28, 29, 31, 32};
inline constexpr int kRightItems[] = {2, 12, 13, 14, 15, 16, 17, 18, 21, 22, 24, 26, 38, 39};

// The classic hiding settings, in the priority a show tries them.
enum class ClassicHiding { None, WholeBar, Time, LeftItems, RightItems };
ClassicHiding classicHidingRule(const Settings& settings);

// What a show hides on a bar where nothing is hidden yet: the split bar's time area, and the classic rule
// that still applies after it (none when both split flags are set; only the whole bar once the time area
// is hidden).
struct StatusBarHiding {
  bool timeArea = false;
  ClassicHiding classic = ClassicHiding::None;
};
StatusBarHiding hidingOnFirstShow(const Settings& settings, bool isIPhoneX, bool isForceSplit);

// The show side: the notched path, then the first classic rule that matches.
void hideStatusBarItemsForShow(Tarvo12& lib, TarvoHUD& hud);
// The hide completion's side, with forceUpdate after every restoration but the whole-bar one.
void restoreStatusBarItemsAfterHide(Tarvo12& lib, TarvoHUD& hud);

}  // namespace tarvo

#include "sim/play/demo_scenario.h"

namespace sim {

std::string_view demoScenarioText() {
  return R"scenario(# The HUD's life in a few seconds, as `tarvo12-sim demo` shows it: a notched phone with an app in front
# showing a photograph, the HUD blurred and translucent over it in the clock's place beside the sensor
# housing (the status bar's time hidden while it shows), presses with frames through the fade-in, while
# shown and after the hide, the ringer switch to silent and back, landscape and a press there (the HUD
# beside the housing's side, below the status bar), a tap to dismiss and colours taken from the app.
device iPhone10,3
level media 0.5
level ringer 0.75

settings replace {
  dynamicColors = true,
  blurBackground = true,
  overlayColor = "#1E212B:0.3",
  statusBarHideTimeX = true,
  alignment = 0,
  rightLeftFixed = 14,
  yPosition = 12,
  rightLeftFixedLandscape = 50,
  yPositionLandscape = 12,
  paddingRightLeft = 6,
  paddingTopBottom = 8,
  sliderWidth = 52,
}
launch

app start com.example.music name Music bar split style 1 color #FFFFFF content photo
app front Music

at 0.5s press up
at 0.6s capture fade-in-1
at 0.7s capture fade-in-2
at 0.9s capture shown
at 1s press up 2 every 0.3s
at 1.5s capture louder
expect hidingStatusBarItems == true
expect tarvoHUDSlider.value == 0.6875
at 3.5s capture hidden
expect tarvoHUDWindow.hidden == true
expect hidingStatusBarItems == false

at 4s ringer-switch silent
at 4.5s capture silent
expect tarvoHUDSlider.value == 0.0625   # silent moves it to 0; the ringer minimum keeps it at the lowest step
at 6.5s ringer-switch ring
at 7s capture ringing

at 9.5s rotate landscape-right
at 10s press down
at 10.5s capture landscape
expect tarvoHUDWindow.rotation == 90
at 11s tap hud
at 11.5s capture dismissed
expect tarvoHUDWindow.hidden == true
rotate portrait
wait 0.5s
)scenario";
}

}  // namespace sim

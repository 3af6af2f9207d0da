#include <gtest/gtest.h>

#include "scenario_test_support.h"

namespace {

using simtest::errorOf;

struct ErrorCase {
  const char* text;
  const char* error;  // "line: the start of the message"
};

void expectErrors(const std::vector<ErrorCase>& cases) {
  for (const auto& c : cases) {
    std::string error = errorOf(c.text);
    EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << "scenario:\n"
                                                                     << c.text << "\ngave: " << error;
  }
}

TEST(ParseErrors, UnknownCommandsAndArgumentCounts) {
  expectErrors({
      {"capture a\npres up", "2: unknown command 'pres' (commands: device, filter"},
      {"\"press\" up", "1: expected a command, found \"press\""},
      {"press", "1: expected up or down after 'press' at the end of the line"},
      {"press sideways", "1: expected up or down after 'press', found 'sideways'"},
      {"home now", "1: unexpected 'now' after 'home'"},
      {"launch 1s", "1: unexpected '1s' after 'launch'"},
      {"wait", "1: expected a duration after 'wait' at the end of the line"},
      {"wait 1s 2s", "1: unexpected '2s' after the duration"},
      {"tap 10", "1: expected the y of the point at the end of the line"},
      {"tap 10 20 30", "1: unexpected '30' after the point"},
      {"rotate", "1: expected an orientation after 'rotate' at the end of the line"},
      {"buttons both", "1: expected ringer or media after 'buttons', found 'both'"},
      {"ringer-switch loud", "1: expected silent or ring after 'ringer-switch', found 'loud'"},
      {"settings", "1: expected set, remove, replace or delete after 'settings' at the end"},
      {"settings set width", "1: expected a value at the end of the line"},
      {"settings remove", "1: expected a key after 'settings remove' at the end"},
      {"settings replace width", "1: expected a dictionary '{ key = value, ... }', found 'width'"},
      {"settings delete binary", "1: 'binary' does not apply: no file is written"},
      {"settings set a 1 no-post no-post", "1: 'no-post' is given twice"},
      {"settings set a 1 xml binary", "1: the file format is already given"},
      {"settings set a 1 quietly", "1: unexpected 'quietly' (options: no-post, xml, binary)"},
      {"record r", "1: expected 'for' and a duration after the name at the end"},
      {"at 1s", ""},
      {"at", "1: expected a time after 'at' at the end of the line"},
      {"at 1s {", "1: '{' is never closed"},
      {"at 1s 2s", "1: expected a command after the time, found '2s'"},
      {"at 1s wait 1s", "1: 'wait' cannot follow 'at'"},
  });
}

TEST(ParseErrors, BadNumbersAndDomains) {
  expectErrors({
      {"wait 1.5x", "1: expected a duration after 'wait': '1.5x' has an unknown unit 'x'"},
      {"wait -1s", "1: expected a duration after 'wait': '-1s' is negative"},
      {"wait nan", "1: expected a duration after 'wait': 'nan' is not a time"},
      {"wait 2000000s", "1: expected a duration after 'wait': '2000000s' is longer than"},
      {"wait 900000s\nwait 200000s", "2: the scenario would run past 1000000s"},
      {"press up -2", "1: a number of presses must be from 1 to 10000, not -2"},
      {"press up 0", "1: a number of presses must be from 1 to 10000, not 0"},
      {"press up 3x", "1: expected a number of presses: '3x' is not an integer (unexpected 'x')"},
      {"press up 2 every 0s", "1: presses must be some time apart"},
      {"press up 10000 every 1000s", "1: the presses would run past 1000000s"},
      {"tap nan 3", "1: expected 'hud' or the x of a point after 'tap': 'nan' is not a finite number"},
      {"tap 1e300 3", "1: the point is absurdly far off the screen"},
      {"level media 1.5", "1: a level must be from 0 to 1"},
      {"level media 0.5x", "1: expected a level from 0 to 1: '0.5x' is not a number (unexpected 'x')"},
      {"record r for 0s", "1: a recording must last some time"},
      {"record r for 1s fps 0", "1: frames per second must be from 1 to 240, not 0"},
      {"record r for 100s fps 240", "1: the recording would have 24000 frames; at most 9999"},
      {"record a for 40s fps 240\nrecord b for 40s fps 240\nrecord c for 40s fps 240",
       "3: the scenario asks for more than 20000 frames"},
      {"app start com.a bar split style 100", "1: a status bar style must be from 0 to 99, not 100"},
      {"app start com.a bar split activity 0", "1: a depth after 'activity' must be from 1 to 16, not 0"},
      {"expect count sound == -1", "1: a count must be from 0 to"},
      {"expect tarvoHUDSlider.value == 1 within -1", "1: a tolerance cannot be negative"},
  });
}

TEST(ParseErrors, TimeNeverGoesBack) {
  expectErrors({
      {"at 2s\nat 1s", "2: 'at 1s' would go back in time: the scenario is already at 2s"},
      {"wait 3s\nat 1s capture x", "2: 'at 1s' would go back in time"},
      {"wait 2s\npress up at 1s", "2: press times must not go back: 1s is before 2s"},
      {"press up at 1s 3s 2s", "1: press times must not go back: 2s is before 3s"},
      {"wait 1s\nexpect count sound to 2s == 0", "2: 2s is after the current time 1s"},
      {"wait 3s\nexpect count sound from 2s to 1s == 0", "2: the window ends (1s) before it begins (2s)"},
  });
}

TEST(ParseErrors, SetupComesFirstOnceAndUntimed) {
  expectErrors({
      {"capture a\ndevice iPhone10,3",
       "2: 'device' sets up the device, so it must come before every other command"},
      {"device iPhone10,3\ndevice iPhone9,3", "2: 'device' is already set on line 1"},
      {"level media 0.5\nlevel media 0.6", "2: 'level media' is already set on line 1"},
      {"filter Tarvo12Kit none\nfilter Tarvo12Kit uikit", "2: 'filter Tarvo12Kit' is already set on line 1"},
      {"at 1s device iPhone9,3", "1: 'device' sets up the device as it boots, so it cannot be timed"},
      {"device iPhone42,1", "1: unknown model 'iPhone42,1' (known: iPhone8,4"},
      {"filter Tarvo13 uikit", "1: expected Tarvo12 or Tarvo12Kit, found 'Tarvo13'"},
      {"filter Tarvo12", "1: expected 'none', 'uikit' or bundle identifiers at the end"},
      {"filter Tarvo12 uikit none", "1: 'none' cannot be combined with other targets"},
      {"filter Tarvo12 none uikit", "1: unexpected 'uikit' after 'none'"},
      {"filter Tarvo12 \"a b\"", "1: \"a b\" is not a bundle identifier"},
      {"shell bar notched", "1: expected classic or split after 'shell bar', found 'notched'"},
      {"shell split-layout maybe",
       "1: expected yes or no after 'shell split-layout': 'maybe' is not a yes/no"},
      {"shell direction up", "1: expected ltr or rtl after 'shell direction', found 'up'"},
      {"shell colour red", "1: expected bar, split-layout or direction after 'shell', found 'colour'"},
      {"launch\nlaunch", "2: the shell already launched on line 1"},
      {"capture a\nlaunch\nsnapshot", ""},
      {"snapshot\nlaunch", "1: 'snapshot' looks at the HUD, which exists only after 'launch'"},
      {"expect isHiding == false\nlaunch", "1: 'expect isHiding' looks at the HUD"},
      {"expect count sound == 0\nlaunch", ""},
  });
}

TEST(ParseErrors, AppsAndProcesses) {
  expectErrors({
      {"app front notes", "1: no app 'notes' has been started ('app start BUNDLE' starts one)"},
      {"app start com.a\napp start com.a", "2: app 'com.a' is already running (started on line 1)"},
      {"app start com.x.a\napp start com.y.a", "2: the process name 'a' is already taken by 'com.x.a'"},
      {"app start com.apple.springboard", "1: the process name 'springboard' is the shell's"},
      {"app start com/a", "1: 'com/a' is not a bundle identifier"},
      {"app start com.a bar wide", "1: expected classic, split or none after 'bar', found 'wide'"},
      {"app start com.a color red", "1: expected a colour or nil after 'color': 'red' is not a colour"},
      {"app start com.a color #FF00", "1: expected a colour or nil after 'color': '#FF00' is not a colour"},
      {"app start com.a name A name B", "1: 'name' is given twice"},
      {"app start com.a wings yes", "1: unknown option 'wings' (options: name, bar, color"},
      {"app start com.a style 1", "1: 'style' is the currentStyle of a split bar ('bar split')"},
      {"app start com.a\napp style a 1", "2: app 'com.a' has a classic bar; 'style' is the currentStyle"},
      {"app start com.a bar split without foreground-view",
       "1: 'foreground-view' is a part of a classic bar"},
      {"app start com.a without tail", "1: unknown part 'tail'"},
      {"app start com.a activity 2", "1: background-activity views ('activity') belong to a split bar"},
      {"app start com.a bar none color #FFFFFF", "1: an app without a status bar has no bar colour"},
      {"app start com.a bar none\napp color a #FFFFFF", "2: app 'com.a' has no status bar"},
      {"app start com.a kit maybe", "1: expected yes or no after 'kit': 'maybe' is not a yes/no value"},
      {"app open com.a", "1: expected start, front, color or style after 'app', found 'open'"},
      {"post x from nobody", "1: no app 'nobody' has been started"},
      {"post x form ns immediately", "1: 'immediately' belongs to the CF form"},
      {"post x form xml", "1: expected cf or ns after 'form', found 'xml'"},
      {"post x payload [1]", "1: expected a dictionary '{ key = value, ... }', found '['"},
      {"post x from springboard from springboard", "1: 'from' is given twice"},
      {"post \"\"", ""},
  });
}

TEST(ParseErrors, FramesAndNames) {
  expectErrors({
      {"capture a\ncapture a", "2: a frame named 'a' is already captured"},
      {"record r for 1s fps 2\ncapture r-0002", "2: a frame named 'r-0002' is already captured"},
      {"capture ../etc", "1: '../etc' cannot name a frame"},
      {"capture \"a b\"", "1: 'a b' cannot name a frame"},
      {"record -r for 1s", "1: '-r' cannot name a frame"},
      {"capture a b", "1: unexpected 'b' after the name"},
  });
}

TEST(ParseErrors, Expectations) {
  expectErrors({
      {"expect tarvoHUDSlider.valu == 1",
       "1: unknown field 'tarvoHUDSlider.valu': tarvoHUDSlider has frame, bounds"},
      {"expect sliderValue == 1", "1: unknown field 'sliderValue' (fields are VIEW.PROPERTY for the views"},
      {"expect setting.WID-TH == 1", "1: 'setting.WID-TH' is not a setting name"},
      {"expect tarvoHUDSlider.value = 1", "1: use '==' to compare"},
      {"expect tarvoHUDSlider.value =< 1", "1: unknown comparison '=<'"},
      {"expect tarvoHUDSlider.value",
       "1: expected a comparison (==, !=, <, <=, >, >=, contains, starts-with) after the field at"},
      {"expect tarvoHUDSlider.value starts-with 1", "1: 'starts-with' cannot compare a number"},
      {"expect count tarvoHUDSlider.trackRect starts-with 1", "1: a count is compared with"},
      {"expect count statusColors == -1", "1: a count must be from 0"},
      {"expect count log where a\"b\" exists == 1", "1: a dot must join 'a' and the quoted name"},
      {"expect count log where \"a\"b exists == 1", "1: a dot must join 'b' and the quoted name"},
      {"expect count log where \"a\"\"b\" exists == 1", "1: a dot must join two quoted names"},
      {"expect count log where \"a\".. exists == 1", "1: '..' has an empty part"},
      {"expect count log where id starts-with 1 == 1", "1: 'starts-with' needs a string"},
      {"expect tarvoHUDSlider.value == high", "1: expected a number: 'high' is not a number"},
      {"expect tarvoHUDSlider.value contains 1", "1: 'contains' cannot compare a number"},
      {"expect tarvoHUDWindow.hidden < true", "1: '<' cannot compare true or false"},
      {"expect tarvoHUDWindow.hidden == true within 1", "1: 'within' applies to numbers"},
      {"expect tarvoHUDWindow.frame == 1 2 3", "1: expected the height of the rectangle at the end"},
      {"expect tarvoHUDWindow.frame == 1 2 3 4 5", "1: unexpected '5' after the expected value"},
      {"expect tarvoHUDMinImageView.glyph == speaker", "1: expected a glyph (ringerMin"},
      {"expect tarvoHUDLabel.textAlignment == middle", "1: expected an alignment (left, center"},
      {"expect tarvoMinColor == purple", "1: expected a colour or nil: 'purple' is not a colour"},
      {"expect tarvoHUDSlider.value < nil", "1: '<' cannot compare a number with nil"},
      {"expect setting.WIDTH > \"wide\"", "1: '>' cannot compare a value"},
      {"expect count", "1: expected an event kind at the end of the line"},
      {"expect count sound", "1: expected a comparison and a count (such as '== 1') at the end"},
      {"expect count sound contains 1", "1: a count is compared with"},
      {"expect count sound where == 1", "1: expected a field after 'where', found '=='"},
      {"expect count sound where id 1005 == 1", "1: expected a comparison, exists or absent after the field"},
      {"expect count sound where id == 1005 or id == 1 == 1", "1: expected a comparison and a count"},
      {"expect count sound where user..level == 1 == 1", "1: 'user..level' has an empty part"},
      {"expect count log where message contains 5 == 1", "1: 'contains' needs a string"},
      {"expect count log where id > \"x\" == 1", "1: '>' needs a number"},
      {"expect count log where process == 5 == 1", "1: 'process' is the name of a process"},
      {"expect count log == 1.5", "1: expected a count: '1.5' is not an integer"},
      {"expect order a after b", "1: expected 'before' and a second event kind, found 'after'"},
      {"expect order a before", "1: expected an event kind at the end of the line"},
      {"expect order a before b == 1", "1: unexpected '==' after the second event"},
  });
}

TEST(ParseErrors, MessagesCarryFileAndLineForEveryLine) {
  try {
    sim::parseScenario("capture a\n\n# note\nsettings replace {\n  a = 1,\n  b = ?\n}\n",
                       "demo/quick.scenario");
    FAIL() << "no error";
  } catch (const sim::ScenarioError& error) {
    EXPECT_STREQ(error.what(),
                 "demo/quick.scenario:6: expected a value, found '?' (strings need quotes; explicit "
                 "kinds are bool, int, real, string, data, date, array and dict)");
    EXPECT_EQ(error.column(), 7u);
  }
}

}  // namespace

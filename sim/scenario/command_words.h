#pragma once
// The words each scenario command is written with: one table for the parser's dispatch, commandName and
// the formatter. A command kind without words here does not compile wherever commands are named.
#include <string_view>
#include <variant>

#include "sim/scenario/commands.h"

namespace sim {

template <class C>
struct CommandWords;  // deliberately undefined: every kind names its words below

#define SIM_COMMAND_WORDS(Kind, text) \
  template <>                         \
  struct CommandWords<Kind> {         \
    static constexpr std::string_view words = text; \
  }

SIM_COMMAND_WORDS(Launch, "launch");
SIM_COMMAND_WORDS(SetSetting, "settings set");
SIM_COMMAND_WORDS(RemoveSetting, "settings remove");
SIM_COMMAND_WORDS(ReplaceSettings, "settings replace");
SIM_COMMAND_WORDS(DeleteSettings, "settings delete");
SIM_COMMAND_WORDS(WriteSettingsFile, "settings raw");  // or empty, plist: how the contents read best
SIM_COMMAND_WORDS(StartApp, "app start");
SIM_COMMAND_WORDS(BringToFront, "app front");
SIM_COMMAND_WORDS(GoHome, "home");
SIM_COMMAND_WORDS(SetAppBarColour, "app color");
SIM_COMMAND_WORDS(SetAppBarStyle, "app style");
SIM_COMMAND_WORDS(SetButtonMode, "buttons");
SIM_COMMAND_WORDS(PressButton, "press");
SIM_COMMAND_WORDS(SetRingerSwitch, "ringer-switch");
SIM_COMMAND_WORDS(Rotate, "rotate");
SIM_COMMAND_WORDS(TapHud, "tap hud");
SIM_COMMAND_WORDS(TapPoint, "tap");
SIM_COMMAND_WORDS(Capture, "capture");
SIM_COMMAND_WORDS(Record, "record");
SIM_COMMAND_WORDS(TakeSnapshot, "snapshot");
SIM_COMMAND_WORDS(PostNotification, "post");
SIM_COMMAND_WORDS(ExpectField, "expect");
SIM_COMMAND_WORDS(ExpectEntries, "expect count");
SIM_COMMAND_WORDS(ExpectCount, "expect count");
SIM_COMMAND_WORDS(ExpectOrder, "expect order");
SIM_COMMAND_WORDS(RefreshServiceItem, "refresh-service");
SIM_COMMAND_WORDS(PresentOtherHud, "present-hud");
SIM_COMMAND_WORDS(ExpectAppField, "expect app");
SIM_COMMAND_WORDS(SetForceSplit, "force-split");
SIM_COMMAND_WORDS(SetModernBar, "modern-bar");
SIM_COMMAND_WORDS(SetAppContent, "app content");
SIM_COMMAND_WORDS(SetWallpaper, "wallpaper");
SIM_COMMAND_WORDS(KeepValue, "keep");
SIM_COMMAND_WORDS(InitApplicationAgain, "app init-again");

#undef SIM_COMMAND_WORDS

// The first word of a command's words: what the parser dispatches on.
constexpr std::string_view headWord(std::string_view words) { return words.substr(0, words.find(' ')); }

// Calls f(CommandWords<Kind>::words) for every kind of Command, in the variant's order.
template <class F>
constexpr void forEachCommandWords(F f) {
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (f(CommandWords<std::variant_alternative_t<I, Command>>::words), ...);
  }(std::make_index_sequence<std::variant_size_v<Command>>{});
}

}  // namespace sim

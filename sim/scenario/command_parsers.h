#pragma once
// The parsers of the individual commands. Each reads the rest of its statement after the command word
// (`head`) and adds what it means to the builder.
#include <string>
#include <string_view>
#include <vector>

#include "sim/scenario/scenario_builder.h"
#include "sim/scenario/token_reader.h"

namespace sim {

using CommandParser = void (*)(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// Setup: the device as it boots. (setup_commands.cpp)
void parseDevice(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseFilter(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseShell(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseLevel(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// The shell's bar as an app's (color, style, without, activity); false when `property` is none of them.
// What the shell does at a moment: refresh-service, present-hud. (shell_commands.cpp)
bool parseShellExtra(TokenReader& in, ScenarioBuilder& builder, const Token& head, const Token& property);
void parseRefreshService(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parsePresentHud(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseForceSplit(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseModernBar(TokenReader& in, ScenarioBuilder& builder, const Token& head);
// A runtime class name; and an optional `subclass NAME` after an activity depth (empty without one).
std::string parseClassName(TokenReader& in, std::string_view what);
std::string parseActivityClass(TokenReader& in);

// Settings as the settings pane changes them. (settings_commands.cpp)
void parseSettings(TokenReader& in, ScenarioBuilder& builder, const Token& head);
// Trailing no-post and (where a file is written from a value) xml or binary.
SettingsWrite parseWriteOptions(TokenReader& in, bool writesFile);
// settings raw / file / empty / plist; false for another action. (settings_file_commands.cpp)
bool parseSettingsFile(TokenReader& in, ScenarioBuilder& builder, const Token& action);

// Apps and what is in front. (app_commands.cpp)
void parseApp(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseHome(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// What screens show: a built-in picture or a PNG file (read now), and the home screen's wallpaper.
// (content_commands.cpp)
ContentChoice parseContentChoice(TokenReader& in, const ScenarioBuilder& builder, std::string_view after);
void parseWallpaper(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// What a person does to the phone. (input_commands.cpp)
void parseLaunch(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseButtons(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parsePress(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseRingerSwitch(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseRotate(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseTap(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parsePost(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// What the scenario keeps: frames and snapshots. (output_commands.cpp)
void parseCapture(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseRecord(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseSnapshot(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// Checks. (expect_commands.cpp, event_patterns.cpp)
void parseExpect(TokenReader& in, ScenarioBuilder& builder, const Token& head);
// expect app APP FIELD ... (app_expect_commands.cpp)
void parseExpectApp(TokenReader& in, ScenarioBuilder& builder, bool now);
// liveObjects | statusBar[.N]... .PROPERTY | foregroundView[.N]... .PROPERTY (app_expect_commands.cpp)
void parseAppField(TokenReader& in, std::vector<std::string>& view, std::string& property);
// `kept NAME` in place of an expected value: the name, checked against what was kept under it, or empty
// when the value is written out. (keep_commands.cpp)
std::string parseKeptReference(TokenReader& in, const ScenarioBuilder& builder, FieldType type,
                               Comparison comparison);

// Values kept for later expectations: keep FIELD as NAME, keep app APP FIELD as NAME. (keep_commands.cpp)
void parseKeep(TokenReader& in, ScenarioBuilder& builder, const Token& head);

}  // namespace sim

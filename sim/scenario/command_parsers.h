#pragma once
// The parsers of the individual commands. Each reads the rest of its statement after the command word
// (`head`) and adds what it means to the builder.
#include <string_view>

#include "sim/scenario/scenario_builder.h"
#include "sim/scenario/token_reader.h"

namespace sim {

using CommandParser = void (*)(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// Setup: the device as it boots. (setup_commands.cpp)
void parseDevice(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseFilter(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseShell(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseLevel(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// Settings as the settings pane changes them. (settings_commands.cpp)
void parseSettings(TokenReader& in, ScenarioBuilder& builder, const Token& head);

// Apps and what is in front. (app_commands.cpp)
void parseApp(TokenReader& in, ScenarioBuilder& builder, const Token& head);
void parseHome(TokenReader& in, ScenarioBuilder& builder, const Token& head);

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

}  // namespace sim

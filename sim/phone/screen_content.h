#pragma once
// What a scenario's `content` and `wallpaper` choices mean on the phone: the platform's built-in pictures
// by name, and PNG files through the platform's image decoding.
#include <optional>
#include <string>

#include "platform/uikit/content/builtin_content.h"
#include "sim/scenario/commands.h"
#include "sim/scenario/scenario.h"

namespace sim {

// Nothing when the name is no built-in picture or the file's bytes are no image the platform decodes.
std::optional<platform::ScreenContent> screenContentFor(const ContentChoice& choice);
// What is wrong with a choice, in a sentence; nothing when it can be shown.
std::optional<std::string> contentProblem(const ContentChoice& choice);

// Every choice of the scenario can be shown; otherwise a ScenarioError at the word naming it, before
// anything plays.
void checkScenarioContent(const Scenario& scenario);

}  // namespace sim

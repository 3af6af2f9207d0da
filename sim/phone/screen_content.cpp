#include "sim/phone/screen_content.h"

#include "sim/scenario/scenario_error.h"
#include "sim/scenario/source_excerpt.h"

namespace sim {

namespace {

const ContentChoice* choiceOf(const Command& command) {
  if (const auto* start = std::get_if<StartApp>(&command)) return &start->content;
  if (const auto* change = std::get_if<SetAppContent>(&command)) return &change->content;
  if (const auto* wallpaper = std::get_if<SetWallpaper>(&command)) return &wallpaper->content;
  return nullptr;
}

}  // namespace

std::optional<platform::ScreenContent> screenContentFor(const ContentChoice& choice) {
  platform::ScreenContent content;
  if (choice.isFile()) {
    if (!choice.bytes) return std::nullopt;
    content.image = platform::UIImage::imageWithData(*choice.bytes);
    if (!content.image) return std::nullopt;
    return content;
  }
  auto builtin = platform::builtinContentNamed(choice.name);
  if (!builtin) return std::nullopt;
  content.builtin = *builtin;
  return content;
}

std::optional<std::string> contentProblem(const ContentChoice& choice) {
  if (screenContentFor(choice)) return std::nullopt;
  if (choice.isFile()) return "cannot read '" + printable(choice.file) + "' as an image: it is not a whole PNG file";
  return "unknown picture '" + printable(choice.name) + "' (" + platform::builtinContentNames() + ", or a PNG file)";
}

void checkScenarioContent(const Scenario& scenario) {
  for (const Step& step : scenario.steps) {
    const ContentChoice* choice = choiceOf(step.command);
    if (!choice) continue;
    if (auto problem = contentProblem(*choice))
      throw ScenarioError(step.file, choice->line, choice->column, *problem,
                          std::string(lineOf(scenario.text, choice->line)));
  }
}

}  // namespace sim

// device, filter, shell and level: how the phone is when it boots.
#include "sim/scenario/command_parsers.h"
#include "sim/scenario/device_models.h"

namespace sim {

namespace {

Library libraryNamed(TokenReader& in, const Token& token) {
  if (token.text == "Tarvo12") return Library::Tarvo12;
  if (token.text == "Tarvo12Kit") return Library::Tarvo12Kit;
  in.fail(token, "expected Tarvo12 or Tarvo12Kit, found " + quoted(token));
}

}  // namespace

// device MODEL
void parseDevice(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  builder.setupItem(in, head, "device");
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String)) in.failExpected("a model identifier");
  const Token& model = in.take("a model identifier");
  if (!deviceModelNamed(model.text))
    in.fail(model, "unknown model " + quoted(model) + " (known: " + deviceModelList() + ")");
  in.expectEnd("the model");
  builder.scenario().setup.model = model.text;
}

// filter Tarvo12|Tarvo12Kit none | TARGET...   (TARGET: uikit or a bundle identifier)
void parseFilter(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  if (!in.peekKind(TokenKind::Word)) in.failExpected("Tarvo12 or Tarvo12Kit after 'filter'");
  const Token& libraryToken = in.take("a library");
  Library library = libraryNamed(in, libraryToken);
  builder.setupItem(in, head, "filter " + std::string(nameOf(library)));
  InjectionFilter filter;
  if (in.acceptWord("none")) {
    in.expectEnd("'none'");
  } else {
    if (in.atEnd()) in.failExpected("'none', 'uikit' or bundle identifiers");
    while (!in.atEnd()) {
      if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
        in.failExpected("'uikit' or a bundle identifier");
      const Token& target = in.take("a target");
      if (target.kind == TokenKind::Word && target.text == "uikit") {
        filter.everyUIKitProcess = true;
      } else if (target.kind == TokenKind::Word && target.text == "none") {
        in.fail(target, "'none' cannot be combined with other targets");
      } else if (!isBundleIdentifier(target.text)) {
        in.fail(target, quoted(target) + " is not a bundle identifier");
      } else {
        filter.bundles.push_back(target.text);
      }
    }
  }
  DeviceSetup& setup = builder.scenario().setup;
  (library == Library::Tarvo12 ? setup.tarvo12 : setup.tarvo12Kit) = std::move(filter);
}

// shell bar classic|split  |  shell split-layout yes|no  |  shell direction ltr|rtl
void parseShell(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  const std::string what = "bar, split-layout or direction after 'shell'";
  if (!in.peekKind(TokenKind::Word)) in.failExpected(what);
  const Token& property = in.take(what);
  DeviceSetup& setup = builder.scenario().setup;
  if (property.text == "bar") {
    builder.setupItem(in, head, "shell bar");
    const Token& kind = in.take("classic or split after 'shell bar'");
    if (kind.text == "classic")
      setup.shellBar = BarKind::Classic;
    else if (kind.text == "split")
      setup.shellBar = BarKind::Split;
    else
      in.fail(kind, "expected classic or split after 'shell bar', found " + quoted(kind));
  } else if (property.text == "split-layout") {
    builder.setupItem(in, head, "shell split-layout");
    setup.shellReportsSplitLayout = in.yesNo("yes or no after 'shell split-layout'");
  } else if (property.text == "direction") {
    builder.setupItem(in, head, "shell direction");
    const Token& direction = in.take("ltr or rtl after 'shell direction'");
    if (direction.text == "ltr")
      setup.direction = LayoutDirection::LeftToRight;
    else if (direction.text == "rtl")
      setup.direction = LayoutDirection::RightToLeft;
    else
      in.fail(direction, "expected ltr or rtl after 'shell direction', found " + quoted(direction));
  } else {
    in.fail(property, "expected " + what + ", found " + quoted(property));
  }
  in.expectEnd("'shell " + property.text + "' and its value");
}

// level media|ringer LEVEL   (0...1)
void parseLevel(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  const Token& which = in.take("media or ringer after 'level'");
  if (which.text != "media" && which.text != "ringer")
    in.fail(which, "expected media or ringer after 'level', found " + quoted(which));
  builder.setupItem(in, head, "level " + which.text);
  double level = in.real("a level from 0 to 1");
  if (level < 0 || level > 1) in.fail(in.previous(), "a level must be from 0 to 1");
  in.expectEnd("the level");
  DeviceSetup& setup = builder.scenario().setup;
  (which.text == "media" ? setup.mediaLevel : setup.ringerLevel) = level;
}

}  // namespace sim

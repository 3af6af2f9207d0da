// app start / front / color / style / content / init-again, and home: the apps on the phone and which one is in front.
#include <map>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/literals.h"

namespace sim {

namespace {

constexpr std::int64_t kLargestBarStyle = 99;
constexpr std::int64_t kDeepestActivityView = 16;

std::optional<Colour> colourOrNil(TokenReader& in, std::string_view what) {
  if (in.acceptWord("nil")) return std::nullopt;
  return in.colour(what);
}

std::string lastComponent(const std::string& bundle) {
  std::size_t dot = bundle.rfind('.');
  return dot == std::string::npos ? bundle : bundle.substr(dot + 1);
}

void parseStart(TokenReader& in, ScenarioBuilder& builder) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("a bundle identifier");
  const Token& bundleToken = in.take("a bundle identifier");
  if (!isBundleIdentifier(bundleToken.text))
    in.fail(bundleToken, quoted(bundleToken) + " is not a bundle identifier");
  StartApp app;
  app.bundle = bundleToken.text;
  app.name = lastComponent(app.bundle);
  app.colour = *parseColourLiteral("#000000").value;
  std::map<std::string, const Token*> given;  // each option's first mention, where errors about it point
  std::vector<const Token*> missingParts;
  while (!in.atEnd()) {
    const Token& option = in.take("an option");
    const std::string& o = option.text;
    bool repeatable = o == "without" || o == "activity";
    if (option.kind != TokenKind::Word) in.fail(option, "unexpected " + quoted(option));
    if (!given.emplace(o, &option).second && !repeatable) in.fail(option, "'" + o + "' is given twice");
    if (o == "name") {
      const Token& name = in.take("a process name after 'name'");
      if (!isFrameName(name.text))
        in.fail(name, quoted(name) + " cannot name a process (letters, digits, '.', '_', '-')");
      app.name = name.text;
    } else if (o == "bar") {
      const Token& kind = in.take("classic, split or none after 'bar'");
      if (kind.text == "classic")
        app.bar = BarKind::Classic;
      else if (kind.text == "split")
        app.bar = BarKind::Split;
      else if (kind.text == "none")
        app.bar = BarKind::None;
      else
        in.fail(kind, "expected classic, split or none after 'bar', found " + quoted(kind));
    } else if (o == "color") {
      app.colour = colourOrNil(in, "a colour or nil after 'color'");
    } else if (o == "style") {
      app.style = in.integerWithin("a status bar style", 0, kLargestBarStyle);
    } else if (o == "without") {
      missingParts.push_back(&in.take("a part after 'without'"));
    } else if (o == "activity") {
      app.backgroundActivityDepths.push_back(
          static_cast<int>(in.integerWithin("a depth after 'activity'", 1, kDeepestActivityView)));
      app.backgroundActivityClasses.push_back(parseActivityClass(in));
    } else if (o == "kit") {
      app.loadsTarvo12Kit = in.yesNo("yes or no after 'kit'");
    } else if (o == "tarvo") {
      app.loadsTarvo12 = in.yesNo("yes or no after 'tarvo'");
    } else if (o == "anonymous") {
      app.anonymous = true;
    } else if (o == "content") {
      app.content = parseContentChoice(in, builder, "content");
    } else {
      in.fail(option, "unknown option " + quoted(option) +
                          " (options: name, bar, color, style, without, activity, kit, tarvo, anonymous, content)");
    }
  }
  // Which options make sense depends on the bar, which may come after them on the line.
  for (const Token* part : missingParts) {
    const std::string& p = part->text;
    bool classicPart = p == "foreground-view" || p == "style-attributes" || p == "foreground-style";
    if (classicPart && app.bar != BarKind::Classic) in.fail(*part, "'" + p + "' is a part of a classic bar");
    if (p == "foreground-view")
      app.classicParts.foregroundView = false;
    else if (p == "style-attributes")
      app.classicParts.styleAttributes = false;
    else if (p == "foreground-style")
      app.classicParts.foregroundStyle = false;
    else
      in.fail(*part, "unknown part " + quoted(*part) +
                         " (a classic bar may lack foreground-view, style-attributes, foreground-style)");
  }
  if (!app.backgroundActivityDepths.empty() && app.bar != BarKind::Split)
    in.fail(*given.at("activity"), "background-activity views ('activity') belong to a split bar");
  if (app.bar == BarKind::None && given.count("color"))
    in.fail(*given.at("color"), "an app without a status bar has no bar colour");
  if (app.bar != BarKind::Split && given.count("style"))
    in.fail(*given.at("style"), "'style' is the currentStyle of a split bar ('bar split')");
  if (app.bar == BarKind::None) app.colour.reset();
  // The filter and its exceptions go by bundle identifier; a process without one gets what every process gets.
  if (app.anonymous && (app.loadsTarvo12Kit || app.loadsTarvo12))
    in.fail(*given.at("anonymous"),
            "an anonymous app gets what the filter gives every process: 'kit' and 'tarvo' need a bundle identifier");
  builder.addApp(in, bundleToken, StartedApp{app.bundle, app.name, app.bar, in.line()});
  builder.add(in, std::move(app));
}

// The bundle identifier of an app with a bar, or empty for the shell ("springboard"), whose bar may be
// of either kind.
std::string appWithBar(TokenReader& in, ScenarioBuilder& builder, std::string_view command, bool split) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("an app after '" + std::string(command) + "'");
  const Token& reference = in.take("an app");
  if (builder.process(in, reference).isShell()) return {};
  const StartedApp& app = builder.app(in, reference);
  if (app.bar == BarKind::None) in.fail(reference, "app '" + app.bundle + "' has no status bar");
  if (split && app.bar != BarKind::Split)
    in.fail(reference,
            "app '" + app.bundle + "' has a classic bar; 'style' is the currentStyle of a split bar");
  return app.bundle;
}

}  // namespace

void parseApp(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const std::string what = "start, front, color, style, content or init-again after 'app'";
  if (!in.peekKind(TokenKind::Word)) in.failExpected(what);
  const Token& action = in.take(what);
  if (action.text == "start") {
    parseStart(in, builder);
  } else if (action.text == "front") {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
      in.failExpected("an app after 'app front'");
    const StartedApp& app = builder.app(in, in.take("an app"));
    in.expectEnd("the app");
    builder.add(in, BringToFront{app.bundle});
  } else if (action.text == "color") {
    std::string bundle = appWithBar(in, builder, "app color", false);
    std::optional<Colour> colour = colourOrNil(in, "a colour or nil");
    in.expectEnd("the colour");
    builder.add(in, SetAppBarColour{std::move(bundle), std::move(colour)});
  } else if (action.text == "style") {
    std::string bundle = appWithBar(in, builder, "app style", true);
    std::int64_t style = in.integerWithin("a status bar style", 0, kLargestBarStyle);
    in.expectEnd("the style");
    builder.add(in, SetAppBarStyle{std::move(bundle), style});
  } else if (action.text == "content") {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
      in.failExpected("an app after 'app content'");
    const StartedApp& app = builder.app(in, in.take("an app"));
    ContentChoice content = parseContentChoice(in, builder, "app content");
    in.expectEnd("the content");
    builder.add(in, SetAppContent{app.bundle, std::move(content)});
  } else if (action.text == "init-again") {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
      in.failExpected("an app or springboard after 'app init-again'");
    ProcessRef process = builder.process(in, in.take("an app"));
    in.expectEnd("the app");
    builder.add(in, InitApplicationAgain{process.app.value_or("")});
  } else {
    in.fail(action, "expected " + what + ", found " + quoted(action));
  }
}

void parseHome(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  in.expectEnd("'home'");
  builder.add(in, GoHome{});
}

}  // namespace sim

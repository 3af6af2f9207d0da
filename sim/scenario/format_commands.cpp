// Each command's line: its words from command_words.h, then its arguments the way its parser reads them.
// The visit has no default, so a command kind without a formatter does not compile.
#include <string>

#include "platform/foundation/base64.h"
#include "sim/scenario/command_words.h"
#include "sim/scenario/format_scenario.h"
#include "sim/scenario/overloaded.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

constexpr platform::Nanos kDefaultPressInterval = 200'000'000;
const char* const kDefaultAppColour = "#000000";

template <class C>
std::string words() {
  return std::string(CommandWords<C>::words);
}

// `now` goes right after the command's first word: "expect now count ...", "snapshot now".
template <class C>
std::string wordsAt(const LineContext& at) {
  std::string w = words<C>();
  if (!at.beforeDue) return w;
  std::size_t space = w.find(' ');
  return space == std::string::npos ? w + " now" : w.substr(0, space) + " now" + w.substr(space);
}

std::string writeOptions(const SettingsWrite& write, bool writesFile) {
  std::string text = write.post ? "" : " no-post";
  if (writesFile && write.format == platform::PlistFormat::Binary) text += " binary";
  return text;
}

std::string process(const std::string& bundle) { return bundle.empty() ? "springboard" : formatWord(bundle); }

std::string colourOrNil(const std::optional<Colour>& colour) { return colour ? colour->text : "nil"; }

std::string tolerance(double value, double byDefault) {
  return value == byDefault ? "" : " within " + formatReal(value);
}

std::string comparison(Comparison c) { return " " + std::string(symbolOf(c)) + " "; }

std::string expected(const ExpectedValue& value) {
  return std::visit(Overloaded{
                        [](const Nil&) -> std::string { return "nil"; },
                        [](bool b) -> std::string { return b ? "true" : "false"; },
                        [](double d) { return formatReal(d); },
                        [](const Rect& r) {
                          return formatReal(r.x) + " " + formatReal(r.y) + " " + formatReal(r.width) + " " +
                                 formatReal(r.height);
                        },
                        [](const Point& p) { return formatReal(p.x) + " " + formatReal(p.y); },
                        [](const Colour& c) { return c.text; },
                        [](const std::string& s) { return formatPlistLiteral(platform::PlistValue(s)); },
                        [](Glyph g) { return std::string(nameOf(g)); },
                        [](TextAlignment a) { return std::string(nameOf(a)); },
                        [](const platform::PlistValue& v) { return formatPlistLiteral(v); },
                    },
                    value);
}

std::string fieldWithKey(const SnapshotField& field) {
  return field.name + (field.key ? " " + formatPlistLiteral(platform::PlistValue(*field.key)) : "");
}

// A path into an event's fields: plain parts joined by dots, the others quoted ("hud."a.b".0").
std::string path(const std::vector<std::string>& parts) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    bool plain = !parts[i].empty();
    for (char c : parts[i])
      plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-');
    if (i) text += '.';
    text += plain ? parts[i] : formatPlistLiteral(platform::PlistValue(parts[i]));
  }
  return text;
}

std::string pattern(const EventPattern& p) {
  std::string text = formatWord(p.kind);
  for (std::size_t i = 0; i < p.conditions.size(); ++i) {
    const FieldCondition& c = p.conditions[i];
    text += (i ? " and " : " where ") + path(c.path);
    if (c.comparison == Comparison::Exists || c.comparison == Comparison::Absent)
      text += c.comparison == Comparison::Exists ? " exists" : " absent";
    else if (c.testsKind)
      text += " kind" + comparison(c.comparison) + std::string(c.value.asString() ? *c.value.asString() : "");
    else
      text += comparison(c.comparison) + formatPlistLiteral(c.value) + tolerance(c.tolerance, kDefaultTolerance);
  }
  return text;
}

std::string window(const TimeWindow& w, const LineContext& at) {
  std::string text;
  if (w.from != 0) text += " from " + formatTime(w.from);
  if (w.to != at.time) text += " to " + formatTime(w.to);
  return text;
}

std::string presses(const PressButton& c, const LineContext& at) {
  std::string text = words<PressButton>() + " " + std::string(nameOf(c.button));
  if (c.times.empty()) return text;
  // Evenly spaced from the line's time reads as a count and an interval; anything else as the times.
  platform::Nanos interval = c.times.size() > 1 ? c.times[1] - c.times[0] : kDefaultPressInterval;
  bool even = c.times[0] == at.time && interval > 0;
  for (std::size_t k = 0; even && k < c.times.size(); ++k) even = c.times[k] == at.time + interval * static_cast<platform::Nanos>(k);
  if (!even) {
    text += " at";
    for (platform::Nanos t : c.times) text += " " + formatTime(t);
    return text;
  }
  if (c.times.size() > 1) text += " " + std::to_string(c.times.size());
  if (interval != kDefaultPressInterval) text += " every " + formatTime(interval);
  return text;
}

// A built-in picture by its name, a file as the scenario wrote it.
std::string content(const ContentChoice& c) { return formatWord(c.isFile() ? c.file : c.name); }

std::string startApp(const StartApp& c) {
  std::string text = words<StartApp>() + " " + c.bundle;
  std::size_t dot = c.bundle.rfind('.');
  if (c.name != (dot == std::string::npos ? c.bundle : c.bundle.substr(dot + 1))) text += " name " + c.name;
  text += " bar " + std::string(nameOf(c.bar));
  if (c.bar != BarKind::None && (!c.colour || c.colour->text != kDefaultAppColour))
    text += " color " + colourOrNil(c.colour);
  if (c.bar == BarKind::Split && c.style != 0) text += " style " + std::to_string(c.style);
  if (!c.classicParts.foregroundView) text += " without foreground-view";
  if (!c.classicParts.styleAttributes) text += " without style-attributes";
  if (!c.classicParts.foregroundStyle) text += " without foreground-style";
  for (std::size_t i = 0; i < c.backgroundActivityDepths.size(); ++i) {
    text += " activity " + std::to_string(c.backgroundActivityDepths[i]);
    if (i < c.backgroundActivityClasses.size() && !c.backgroundActivityClasses[i].empty())
      text += " subclass " + c.backgroundActivityClasses[i];
  }
  if (c.loadsTarvo12Kit) text += std::string(" kit ") + (*c.loadsTarvo12Kit ? "yes" : "no");
  if (c.loadsTarvo12) text += std::string(" tarvo ") + (*c.loadsTarvo12 ? "yes" : "no");
  if (c.anonymous) text += " anonymous";
  if (c.content != ContentChoice{}) text += " content " + content(c.content);
  return text;
}

std::string post(const PostNotification& c) {
  std::string text = words<PostNotification>() + " " + formatWord(c.name);
  if (c.from.app) text += " from " + process(*c.from.app);
  if (c.form == NotificationForm::NS) text += " form ns";
  if (c.deliverImmediately) text += " immediately";
  if (c.userInfo) text += " payload " + formatPlistLiteral(platform::PlistValue(*c.userInfo));
  if (c.object) text += " object " + formatPlistLiteral(platform::PlistValue(*c.object));
  return text;
}

std::string settingsFile(const WriteSettingsFile& c) {
  if (const auto* value = std::get_if<platform::PlistValue>(&c.contents))
    return "settings plist " + formatPlistLiteral(*value) + writeOptions(c.write, true);
  const std::string& bytes = std::get<std::string>(c.contents);
  if (bytes.empty()) return "settings empty" + writeOptions(c.write, false);
  // Quoted: '+', '/' and '=' would otherwise split the text into several tokens.
  return words<WriteSettingsFile>() + " \"" +
         platform::base64Encode(std::vector<std::uint8_t>(bytes.begin(), bytes.end())) + "\"" +
         writeOptions(c.write, false);
}

std::string appFieldName(const std::vector<std::string>& view, const std::string& property) {
  std::string text;
  for (const std::string& part : view) text += part + ".";
  return text + property;
}

std::string appField(const ExpectAppField& c, const LineContext& at) {
  std::string text = wordsAt<ExpectAppField>(at) + " " + process(c.app) + " " + appFieldName(c.view, c.property);
  if (c.comparison == Comparison::Absent) return text + " == nil";
  if (c.comparison == Comparison::Exists) return text + " != nil";
  std::string value = c.kept.empty() ? formatPlistLiteral(c.expected) : "kept " + c.kept;
  return text + comparison(c.comparison) + value + tolerance(c.tolerance, kDefaultTolerance);
}

std::string keep(const KeepValue& c) {
  std::string field = c.hud ? fieldWithKey(*c.hud) : "app " + process(c.app) + " " + appFieldName(c.view, c.property);
  return words<KeepValue>() + " " + field + " as " + c.name;
}

}  // namespace

std::string formatCommand(const Command& command, const LineContext& at) {
  return std::visit(
      Overloaded{
          [](const Launch&) { return words<Launch>(); },
          [](const SetSetting& c) {
            return words<SetSetting>() + " " + formatWord(c.key) + " " + formatPlistLiteral(c.value) +
                   writeOptions(c.write, true);
          },
          [](const RemoveSetting& c) {
            return words<RemoveSetting>() + " " + formatWord(c.key) + writeOptions(c.write, true);
          },
          [](const ReplaceSettings& c) {
            return words<ReplaceSettings>() + " " + formatPlistLiteral(platform::PlistValue(c.contents)) +
                   writeOptions(c.write, true);
          },
          [](const DeleteSettings& c) { return words<DeleteSettings>() + (c.post ? "" : " no-post"); },
          [](const WriteSettingsFile& c) { return settingsFile(c); },
          [](const StartApp& c) { return startApp(c); },
          [](const BringToFront& c) { return words<BringToFront>() + " " + formatWord(c.app); },
          [](const GoHome&) { return words<GoHome>(); },
          [](const SetAppContent& c) { return words<SetAppContent>() + " " + formatWord(c.app) + " " + content(c.content); },
          [](const SetWallpaper& c) { return words<SetWallpaper>() + " " + content(c.content); },
          [](const SetAppBarColour& c) {
            return words<SetAppBarColour>() + " " + process(c.app) + " " + colourOrNil(c.colour);
          },
          [](const SetAppBarStyle& c) {
            return words<SetAppBarStyle>() + " " + process(c.app) + " " + std::to_string(c.style);
          },
          [](const SetButtonMode& c) { return words<SetButtonMode>() + " " + std::string(nameOf(c.mode)); },
          [&](const PressButton& c) { return presses(c, at); },
          [](const SetRingerSwitch& c) { return words<SetRingerSwitch>() + (c.silent ? " silent" : " ring"); },
          [](const Rotate& c) {
            return words<Rotate>() + " " + (c.other ? std::to_string(*c.other) : std::string(nameOf(c.orientation))) +
                   (c.reorient ? "" : " reorient no");
          },
          [](const TapHud&) { return words<TapHud>(); },
          [](const TapPoint& c) { return words<TapPoint>() + " " + formatReal(c.point.x) + " " + formatReal(c.point.y); },
          [](const Capture& c) { return words<Capture>() + " " + formatWord(c.name); },
          [](const Record& c) {
            return words<Record>() + " " + formatWord(c.name) + " for " + formatTime(c.duration) +
                   (c.fps != 30 ? " fps " + std::to_string(c.fps) : "");
          },
          [&](const TakeSnapshot& c) {
            std::string text = wordsAt<TakeSnapshot>(at);
            if (c.label.empty()) return text;
            // A label that reads as `now` or as nothing is written in quotes.
            return text + " " + (c.label == "now" ? std::string("\"now\"") : formatWord(c.label));
          },
          [](const PostNotification& c) { return post(c); },
          [&](const ExpectField& c) {
            double byDefault = c.field.type == FieldType::Colour ? kDefaultColourTolerance : kDefaultTolerance;
            return wordsAt<ExpectField>(at) + " " + fieldWithKey(c.field) + comparison(c.comparison) +
                   (c.kept.empty() ? expected(c.expected) : "kept " + c.kept) + tolerance(c.tolerance, byDefault);
          },
          [&](const ExpectEntries& c) {
            return wordsAt<ExpectEntries>(at) + " " + fieldWithKey(c.field) + comparison(c.comparison) +
                   std::to_string(c.count);
          },
          [&](const ExpectCount& c) {
            return wordsAt<ExpectCount>(at) + " " + pattern(c.pattern) + window(c.window, at) +
                   comparison(c.comparison) + std::to_string(c.count);
          },
          [&](const ExpectOrder& c) {
            return wordsAt<ExpectOrder>(at) + " " + pattern(c.earlier) + " before " + pattern(c.later) +
                   window(c.window, at);
          },
          [](const RefreshServiceItem&) { return words<RefreshServiceItem>(); },
          [](const PresentOtherHud& c) {
            return words<PresentOtherHud>() + " " + c.className + (c.delay != 1.0 ? " delay " + formatReal(c.delay) : "");
          },
          [&](const ExpectAppField& c) { return appField(c, at); },
          [](const SetForceSplit& c) { return words<SetForceSplit>() + (c.split ? " yes" : " no"); },
          [](const SetModernBar& c) { return words<SetModernBar>() + (c.modern ? " yes" : " no"); },
          [](const KeepValue& c) { return keep(c); },
          [](const InitApplicationAgain& c) { return words<InitApplicationAgain>() + " " + process(c.app); },
      },
      command);
}

}  // namespace sim

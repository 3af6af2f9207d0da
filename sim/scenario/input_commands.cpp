// launch, buttons, press, ringer-switch, rotate, tap and post: what happens to the phone.
#include <cmath>
#include <set>

#include "sim/scenario/command_parsers.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/plist_literal.h"

namespace sim {

namespace {

constexpr std::int64_t kMostPresses = 10000;
constexpr platform::Nanos kDefaultPressInterval = 200'000'000;  // 0.2s, a brisk thumb
constexpr double kLargestCoordinate = 100000;

}  // namespace

void parseLaunch(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  in.expectEnd("'launch'");
  builder.launch(in, head);
  builder.add(in, Launch{false});
}

// buttons ringer|media
void parseButtons(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const Token& mode = in.take("ringer or media after 'buttons'");
  if (mode.text != "ringer" && mode.text != "media")
    in.fail(mode, "expected ringer or media after 'buttons', found " + quoted(mode));
  in.expectEnd("the mode");
  builder.add(in, SetButtonMode{mode.text == "ringer" ? VolumeMode::Ringer : VolumeMode::Media});
}

// press up|down [COUNT] [every INTERVAL]   |   press up|down at TIME...
void parsePress(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const Token& which = in.take("up or down after 'press'");
  if (which.text != "up" && which.text != "down")
    in.fail(which, "expected up or down after 'press', found " + quoted(which));
  PressButton press{which.text == "up" ? VolumeButton::Up : VolumeButton::Down, {}};
  const platform::Nanos latest = platform::secondsToNanos(kMaxScenarioSeconds);
  if (in.acceptWord("at")) {
    platform::Nanos previous = builder.cursor();
    do {
      platform::Nanos time = in.duration("a time after 'at'");
      if (time < previous)
        in.fail(in.previous(), "press times must not go back: " + formatSeconds(time) + " is before " +
                                   formatSeconds(previous));
      press.times.push_back(time);
      previous = time;
      if (press.times.size() > static_cast<std::size_t>(kMostPresses))
        in.fail(in.previous(), "at most " + std::to_string(kMostPresses) + " presses per line");
    } while (!in.atEnd());
  } else {
    std::int64_t count = 1;
    if (!in.atEnd() && !in.peekWord("every"))
      count = in.integerWithin("a number of presses", 1, kMostPresses);
    platform::Nanos interval = kDefaultPressInterval;
    if (in.acceptWord("every")) {
      interval = in.duration("an interval after 'every'");
      if (interval == 0) in.fail(in.previous(), "presses must be some time apart");
    }
    in.expectEnd("the presses");
    // Compared by division so that a huge count times a huge interval cannot overflow.
    if (count > 1 && interval > (latest - builder.cursor()) / (count - 1))
      in.fail(in.previous(), "the presses would run past " + formatSeconds(latest));
    for (std::int64_t k = 0; k < count; ++k) press.times.push_back(builder.cursor() + interval * k);
  }
  builder.schedule(press.times.back());
  builder.add(in, std::move(press));
}

// ringer-switch silent|ring
void parseRingerSwitch(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const Token& position = in.take("silent or ring after 'ringer-switch'");
  if (position.text != "silent" && position.text != "ring")
    in.fail(position, "expected silent or ring after 'ringer-switch', found " + quoted(position));
  in.expectEnd("the switch position");
  builder.add(in, SetRingerSwitch{position.text == "silent"});
}

// rotate portrait|portrait-upside-down|landscape-right|landscape-left|INTEGER [reorient yes|no]
// Any integer goes: the platform's orientation is a 64-bit number, and 0 (unknown), 5 and 6 (face up and
// down) and worse are what a careless sender may pass on.
void parseRotate(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  const std::string what = "an orientation after 'rotate'";
  if (in.atEnd()) in.failExpected(what);
  const Token& to = in.peek();
  std::optional<Orientation> orientation = to.kind == TokenKind::Word ? orientationNamed(to.text) : std::nullopt;
  Rotate rotate;
  if (orientation) {
    in.take(what);
    rotate.orientation = *orientation;
  } else if (to.kind == TokenKind::Word && !to.text.empty() &&
             (to.text[0] == '-' || (to.text[0] >= '0' && to.text[0] <= '9'))) {
    rotate.other = in.integer(what);
  } else {
    in.fail(to, "unknown orientation " + quoted(to) +
                    " (portrait, portrait-upside-down, landscape-right, landscape-left, or a number)");
  }
  if (in.acceptWord("reorient")) rotate.reorient = in.yesNo("yes or no after 'reorient'");
  in.expectEnd("the orientation");
  builder.add(in, rotate);
}

// tap hud   |   tap X Y   (a point of the portrait screen, in points)
void parseTap(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  if (in.acceptWord("hud")) {
    in.expectEnd("'tap hud'");
    builder.add(in, TapHud{});
    return;
  }
  Point point;
  point.x = in.real("'hud' or the x of a point after 'tap'");
  point.y = in.real("the y of the point");
  if (std::abs(point.x) > kLargestCoordinate || std::abs(point.y) > kLargestCoordinate)
    in.fail(in.previous(), "the point is absurdly far off the screen");
  in.expectEnd("the point");
  builder.add(in, TapPoint{point});
}

// post NAME [from PROCESS] [form cf|ns] [immediately] [payload { ... }] [object STRING]
void parsePost(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("a notification name after 'post'");
  // Any name goes, the empty one included: posting what nobody expects is the point of this command.
  const Token& name = in.take("a notification name");
  PostNotification post;
  post.name = name.text;
  std::set<std::string> given;
  const Token* immediately = nullptr;
  while (!in.atEnd()) {
    const Token& option = in.take("an option");
    if (option.kind != TokenKind::Word) in.fail(option, "unexpected " + quoted(option));
    if (!given.insert(option.text).second) in.fail(option, "'" + option.text + "' is given twice");
    if (option.text == "from") {
      if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
        in.failExpected("a process after 'from'");
      post.from = builder.process(in, in.take("a process"));
    } else if (option.text == "form") {
      const Token& form = in.take("cf or ns after 'form'");
      if (form.text != "cf" && form.text != "ns")
        in.fail(form, "expected cf or ns after 'form', found " + quoted(form));
      post.form = form.text == "cf" ? NotificationForm::CF : NotificationForm::NS;
    } else if (option.text == "immediately") {
      post.deliverImmediately = true;
      immediately = &option;
    } else if (option.text == "payload") {
      post.userInfo = parsePlistDict(in);
    } else if (option.text == "object") {
      // The distributed centre carries string objects only.
      if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
        in.failExpected("a string after 'object'");
      post.object = in.take("a string after 'object'").text;
    } else {
      in.fail(option, "unknown option " + quoted(option) + " (options: from, form, immediately, payload, object)");
    }
  }
  if (immediately && post.form == NotificationForm::NS)
    in.fail(*immediately, "'immediately' belongs to the CF form");
  builder.add(in, std::move(post));
}

}  // namespace sim

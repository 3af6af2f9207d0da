// capture, record and snapshot: what the scenario keeps for a person to look at.
#include "sim/scenario/command_parsers.h"
#include "sim/scenario/literals.h"

namespace sim {

namespace {
constexpr std::int64_t kDefaultFps = 30;
constexpr std::int64_t kHighestFps = 240;
}  // namespace

// capture [NAME]
void parseCapture(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  std::string name;
  if (in.atEnd()) {
    name = builder.nextCaptureName();
    builder.claimFrameName(in, head, name);
  } else {
    const Token& given = in.take("a name");
    if (given.kind != TokenKind::Word && given.kind != TokenKind::String)
      in.fail(given, "unexpected " + quoted(given));
    name = given.text;
    builder.claimFrameName(in, given, name);
    in.expectEnd("the name");
  }
  builder.countFrames(in, head, 1);
  builder.add(in, Capture{std::move(name)});
}

// record NAME for DURATION [fps N]
void parseRecord(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
    in.failExpected("a name after 'record'");
  const Token& nameToken = in.take("a name");
  builder.checkFrameName(in, nameToken, nameToken.text);
  Record record{nameToken.text, 0, static_cast<int>(kDefaultFps)};
  if (!in.acceptWord("for")) in.failExpected("'for' and a duration after the name");
  record.duration = in.duration("a duration after 'for'");
  if (record.duration == 0) in.fail(in.previous(), "a recording must last some time");
  if (builder.cursor() + record.duration > platform::secondsToNanos(kMaxScenarioSeconds))
    in.fail(in.previous(),
            "the recording would run past " + formatSeconds(platform::secondsToNanos(kMaxScenarioSeconds)));
  if (in.acceptWord("fps"))
    record.fps = static_cast<int>(in.integerWithin("frames per second", 1, kHighestFps));
  in.expectEnd("the recording");
  std::size_t frames = frameCount(record);
  if (frames > kMaxFramesPerRecording)
    in.fail(head, "the recording would have " + std::to_string(frames) + " frames; at most " +
                      std::to_string(kMaxFramesPerRecording));
  builder.countFrames(in, head, frames);
  for (std::size_t i = 0; i < frames; ++i) builder.claimFrameName(in, nameToken, frameName(record, i));
  builder.schedule(frameTime(record, builder.cursor(), frames - 1));
  builder.add(in, std::move(record));
}

// snapshot [now] [LABEL]; "now" in quotes is a label.
void parseSnapshot(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  builder.requireLaunched(in, head, "'snapshot'");
  TakeSnapshot snapshot;
  const bool now = in.acceptWord("now");
  if (!in.atEnd()) {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String)) in.failExpected("a label");
    snapshot.label = in.take("a label").text;
    in.expectEnd("the label");
  }
  builder.add(in, std::move(snapshot), now);
}

}  // namespace sim

// keep: a field's value at one moment, kept under a name so that a later expectation compares another
// moment's value with it (`expect FIELD OP kept NAME`, `expect app APP FIELD OP kept NAME`).
#include "sim/scenario/command_parsers.h"
#include "sim/scenario/scenario_builder.h"

namespace sim {

namespace {

// Names are plain words, so that a kept reference never reads as a value or a tolerance.
bool isKeptName(std::string_view name) {
  if (name.empty() || name == "within" || name == "as" || name == "kept") return false;
  for (char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
      return false;
  return true;
}

bool allowsKept(FieldType type, Comparison comparison) {
  switch (comparison) {
    case Comparison::Equal:
    case Comparison::NotEqual:
      return true;
    case Comparison::Contains:
    case Comparison::StartsWith:
      return type == FieldType::Text || type == FieldType::Value;
    case Comparison::Less:
    case Comparison::LessOrEqual:
    case Comparison::Greater:
    case Comparison::GreaterOrEqual:
      return type == FieldType::Real || type == FieldType::Value;
    case Comparison::Exists:
    case Comparison::Absent:
      return false;
  }
  return false;
}

}  // namespace

std::string parseKeptReference(TokenReader& in, const ScenarioBuilder& builder, FieldType type,
                               Comparison comparison) {
  // `kept` alone, or before `within`, is the word itself as a value.
  const Token* after = in.peekAhead(1);
  if (!in.peekWord("kept") || !after || after->kind != TokenKind::Word || after->text == "within") return {};
  in.take("kept");
  const Token& name = in.take("the name of a kept value");
  std::optional<FieldType> keptType = builder.keptType(name.text);
  if (!keptType) in.fail(name, "nothing is kept as " + quoted(name) + " before this line (keep FIELD as NAME)");
  if (*keptType != type)
    in.fail(name, quoted(name) + " holds " + std::string(nameOf(*keptType)) + ", not " + std::string(nameOf(type)));
  if (!allowsKept(type, comparison))
    in.fail(name, "'" + std::string(symbolOf(comparison)) + "' cannot compare " + std::string(nameOf(type)));
  return name.text;
}

// keep FIELD [KEY] as NAME | keep app APP FIELD as NAME
void parseKeep(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  KeepValue keep;
  FieldType type = FieldType::Value;
  if (in.acceptWord("app")) {
    if (!in.peekKind(TokenKind::Word) && !in.peekKind(TokenKind::String))
      in.failExpected("an app after 'keep app'");
    ProcessRef process = builder.process(in, in.take("an app"));
    keep.app = process.app.value_or("");
    parseAppField(in, keep.view, keep.property);
    type = appFieldType(keep.property);
  } else {
    if (!in.peekKind(TokenKind::Word)) in.failExpected("a field, or 'app', after 'keep'");
    const Token& fieldToken = in.take("a field");
    std::optional<SnapshotField> field = snapshotFieldNamed(fieldToken.text);
    if (!field) in.fail(fieldToken, unknownFieldMessage(fieldToken.text));
    builder.requireLaunched(in, head, "'keep " + fieldToken.text + "'");
    // statusColors KEY: one entry.
    if (field->name == "statusColors" && !in.atEnd() && !in.peekWord("as")) field->key = in.take("a key").text;
    type = field->type;
    keep.hud = std::move(*field);
  }
  if (!in.acceptWord("as")) in.failExpected("'as' and a name for the kept value");
  const Token& name = in.take("a name for the kept value");
  if (name.kind != TokenKind::Word || !isKeptName(name.text))
    in.fail(name, "a kept value's name is a word of letters, digits, '_' and '-' (not within, as or kept), found " +
                      quoted(name));
  in.expectEnd("the name");
  keep.name = name.text;
  builder.keep(keep.name, type);
  builder.add(in, std::move(keep));
}

}  // namespace sim

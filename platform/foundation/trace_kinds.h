#pragma once
// The one table of the trace's kinds: what each event is called, where it happens, the fields it carries
// and when it is recorded. docs/trace.md is held to it row by row, and the tests hold every recorded event
// to it, so a kind or a field cannot be added, renamed or dropped on one side only.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/trace.h"

namespace platform {

// The sections of docs/trace.md, in its order.
enum class TraceSection { Platform, Shell, Simulator };

struct TraceKind {
  TraceSection section;
  std::string_view kind;
  std::string_view process;  // the process the event is recorded in
  // The field names, separated by spaces, in the order the document lists them; a name ending in `?` is
  // left out of some events (the document says when).
  std::string_view fields;
  std::string_view when;
};

extern const std::span<const TraceKind> kTraceKinds;

const TraceKind* findTraceKind(std::string_view kind);

// The field names of a row, without the `?` marks; `always` keeps only the fields every event carries.
std::vector<std::string_view> traceFieldNames(const TraceKind& row, bool always = false);

// What is wrong with an event against the table: an unknown kind, a field the row lacks, a field every
// event of the kind carries missing. Nothing when the event fits.
std::optional<std::string> traceEventProblem(const TraceEvent& event);

}  // namespace platform

#include "sim/suite/html_report.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/foundation/base64.h"
#include "sim/suite/markup_text.h"
#include "sim/suite/report_page.h"

namespace sim::suite {

namespace {

namespace fs = std::filesystem;
using baselines::Outcome;

// The PNG as a data URL, or empty when it cannot be read.
std::string pngUrl(const fs::path& path) {
  if (path.empty()) return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return {};
  return "data:image/png;base64," +
         platform::base64Encode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// A link from the page's folder to a file, as the browser resolves it from the file system.
std::string linkTo(const fs::path& from, const fs::path& target) {
  fs::path relative = fs::absolute(target).lexically_normal().lexically_relative(from);
  std::string text = relative.empty() ? fs::absolute(target).generic_string() : relative.generic_string();
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || std::string_view("/._-~").find(c) != std::string_view::npos) {
      out += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", u);
      out += hex;
    }
  }
  return out;
}

std::string resultClass(Result result) {
  switch (result) {
    case Result::Passed: return "passed";
    case Result::Failed: return "failed";
    case Result::ExpectedFailure: return "xfail";
    case Result::UnexpectedPass: return "failed";
    case Result::MissingBaseline: return "missing";
  }
  return "failed";
}

std::string figure(const std::string& caption, const std::string& url, const std::string& role) {
  if (url.empty()) return "<figure class=\"" + role + "\"><div class=\"none\">none</div><figcaption>" + caption +
                           "</figcaption></figure>";
  return "<figure class=\"" + role + "\"><img src=\"" + url + "\" alt=\"" + caption + "\"><figcaption>" + caption +
         "</figcaption></figure>";
}

std::string frameBlock(const ScenarioResult& r, const FrameResult& frame) {
  std::error_code ec;
  std::string baseline = pngUrl(fs::exists(frame.verdict.baseline, ec) ? frame.verdict.baseline : fs::path());
  // Only a failure writes the actual frame beside its diff; a capture is in the frames folder anyway.
  fs::path captured = r.out / "frames" / (frame.name + ".png");
  std::string actual = pngUrl(!frame.verdict.actual.empty()       ? frame.verdict.actual
                              : fs::exists(captured, ec) ? captured
                                                         : fs::path());
  std::string diff = pngUrl(frame.verdict.diff);
  std::string out = "<div class=\"frame\" data-frame=\"" + markupText(frame.name) + "\"><h3>" + markupText(frame.name) + " <span class=\"badge " +
                    (frame.verdict.outcome == Outcome::Missing ? "missing" : "failed") + "\">" +
                    markupText(baselines::nameOf(frame.verdict.outcome)) + "</span></h3><pre>" + markupText(frame.verdict.report) +
                    "</pre><div class=\"images\">";
  out += figure("baseline", baseline, "baseline") + figure("actual", actual, "actual") + figure("diff", diff, "diff");
  if (!baseline.empty() && !actual.empty())
    out += "<figure class=\"flip\"><img src=\"" + actual + "\" data-baseline=\"" + baseline + "\" data-actual=\"" +
           actual + "\" alt=\"flip\"><figcaption><button type=\"button\">flip</button> <span>actual</span>"
           "</figcaption></figure>";
  return out + "</div></div>";
}

std::string linksOf(const fs::path& from, const ScenarioResult& r) {
  std::string out;
  auto add = [&](const fs::path& path, const char* label) {
    std::error_code ec;
    if (fs::exists(path, ec)) out += "<a href=\"" + linkTo(from, path) + "\">" + label + "</a> ";
  };
  add(r.out / "trace.jsonl", "trace");
  add(r.out / "frames", "frames");
  add(r.out / "contact-sheet.png", "contact sheet");
  add(r.out / "check.log", "check log");
  return out;
}

std::string row(const fs::path& from, const ScenarioResult& r, bool ci) {
  Result result = r.result(ci);
  std::string name = resultClass(result);
  std::string label(nameOf(result));
  auto kinds = r.failureKinds(ci);
  if (result == Result::Failed && !kinds.empty()) {
    label += " (";
    for (std::size_t i = 0; i < kinds.size(); ++i) label += (i ? ", " : "") + kinds[i];
    label += ")";
  }
  char time[32];
  std::snprintf(time, sizeof time, "%.2f s", r.seconds);
  std::string out = "<tr class=\"scenario " + name + "\"><td><span class=\"badge " + name + "\">" + markupText(label) +
                    "</span></td><td><a href=\"" + linkTo(from, r.file) + "\">" + markupText(r.file.generic_string()) +
                    "</a></td><td class=\"time\">" + time + "</td><td>" + linksOf(from, r) + "</td></tr>\n";
  if (result == Result::Passed) return out;
  out += "<tr class=\"details " + name + "\"><td colspan=\"4\">";
  std::vector<std::string> messages;
  if (r.timedOut) messages.push_back(r.file.string() + " timed out, and was stopped");
  if (!r.crashed.empty()) messages.push_back(r.file.string() + " crashed: " + r.crashed);
  if (!r.malformed.empty()) messages.push_back(r.malformed);
  for (const auto& m : r.expectationFailures) messages.push_back(m);
  for (const auto& m : r.problems) messages.push_back(m);
  if (!r.missingError.empty()) messages.push_back(r.missingError);
  for (const auto& m : messages) out += "<pre class=\"message\">" + markupText(m) + "</pre>";
  for (const auto& frame : r.frames) {
    Outcome o = frame.verdict.outcome;
    if (o == Outcome::Fail || o == Outcome::UnexpectedPass || o == Outcome::Missing) out += frameBlock(r, frame);
    else if (o == Outcome::ExpectedFailure) out += "<pre class=\"message\">" + markupText(frame.verdict.report) + "</pre>";
  }
  return out + "</td></tr>\n";
}

}  // namespace

fs::path writeHtmlReport(const fs::path& dir, const std::vector<ScenarioResult>& results, bool ci) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());
  fs::path from = fs::absolute(dir).lexically_normal();
  std::size_t counts[5] = {};
  for (const auto& r : results) ++counts[static_cast<int>(r.result(ci))];
  std::size_t failed = counts[static_cast<int>(Result::Failed)] + counts[static_cast<int>(Result::UnexpectedPass)];
  std::ostringstream page;
  page << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>tarvo12-sim test: " << failed
       << " failed</title>\n<style>" << kReportStyle << "</style></head><body>\n";
  page << "<header><h1>tarvo12-sim test</h1><p class=\"summary\">" << counts[0] << " passed, " << failed
       << " failed, " << counts[static_cast<int>(Result::MissingBaseline)] << " skipped (missing baselines), "
       << counts[static_cast<int>(Result::ExpectedFailure)] << " expected failures</p>"
       << "<label><input type=\"checkbox\" id=\"only-failures\"> only what did not pass</label></header>\n";
  page << "<table><thead><tr><th>result</th><th>scenario</th><th>time</th><th>outputs</th></tr></thead><tbody>\n";
  for (const auto& r : results) page << row(from, r, ci);
  page << "</tbody></table>\n<script>" << kReportScript << "</script></body></html>\n";
  fs::path path = dir / "index.html";
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << page.str();
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
  return path;
}

}  // namespace sim::suite

#pragma once
// Where a run's results go: frames as PNG files, a contact sheet, and the trace as JSON lines.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/render/contact_sheet.h"
#include "platform/render/renderer.h"
#include "sim/runner.h"

namespace sim {

class OutputDirectory {
 public:
  // Creates the directory (and frames/ inside); throws std::runtime_error when it cannot.
  explicit OutputDirectory(std::filesystem::path dir);

  // A frame sink that renders the screen, writes frames/NAME.png and keeps a thumbnail for the sheet. A
  // frame that cannot be written is not counted and is listed in writeFailures().
  FrameSink frameSink();
  // Streams the trace into trace.jsonl from now on; throws std::runtime_error when the file cannot be
  // opened.
  void attachTrace(platform::Device& device);
  // Stops streaming and flushes; a trace that could not be written whole is listed in writeFailures().
  void detachTrace(platform::Device& device);
  // Writes contact-sheet.png; answers its path, or empty when no frame was captured or it could not be
  // written (then listed in writeFailures()).
  std::filesystem::path writeContactSheet();
  // "cannot write PATH" for every output that is missing or incomplete.
  const std::vector<std::string>& writeFailures() const { return failures_; }

  const std::filesystem::path& path() const { return dir_; }
  std::filesystem::path tracePath() const { return dir_ / "trace.jsonl"; }
  std::size_t framesWritten() const { return sheet_.size(); }

 private:
  std::filesystem::path dir_;
  platform::Renderer renderer_;
  std::vector<platform::SheetItem> sheet_;
  std::ofstream trace_;
  std::vector<std::string> failures_;
};

}  // namespace sim

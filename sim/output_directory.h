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

  // A frame sink that renders the screen, writes frames/NAME.png and keeps a thumbnail for the sheet.
  FrameSink frameSink();
  // Streams the trace into trace.jsonl from now on.
  void attachTrace(platform::Device& device);
  // Writes contact-sheet.png; answers its path, or empty when no frame was captured.
  std::filesystem::path writeContactSheet();

  const std::filesystem::path& path() const { return dir_; }
  std::filesystem::path tracePath() const { return dir_ / "trace.jsonl"; }
  std::size_t framesWritten() const { return sheet_.size(); }

 private:
  std::filesystem::path dir_;
  platform::Renderer renderer_;
  std::vector<platform::SheetItem> sheet_;
  std::ofstream trace_;
};

}  // namespace sim

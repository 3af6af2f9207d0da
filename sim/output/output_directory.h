#pragma once
// Where a run's results go: frames as PNG files, an animated WebP per recording, a contact sheet, and the trace
// as JSON lines. Frames flow through as they are made: each is rendered into a reused bitmap, handed to a
// worker that writes its PNG (and its thumbnail for the sheet) and to another that adds it to its recording's
// WebP; nothing keeps a full-size frame once it is written, so memory does not grow with the number of frames.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/png_frame_encoder.h"
#include "platform/render/contact_sheet.h"
#include "platform/render/renderer.h"
#include "sim/output/animated_webp.h"
#include "sim/phone/background_queue.h"
#include "sim/play/runner.h"
#include "sim/output/folder_lock.h"

namespace sim {

// Which frames also become PNG files: every one, only `capture`s, or none.
enum class FrameFiles { All, Captures, None };

struct OutputOptions {
  FrameFiles frameFiles = FrameFiles::All;
  std::optional<double> scale;  // pixels per point; nothing: the device's own
  std::optional<int> filmFps;   // also film the whole run as FILMNAME.webp
  std::string filmName = "film";
  // Sees every frame of a capture or a record once rendered, on the files worker.
  std::function<void(const std::string& name, const platform::CGImage& frame)> inspect;
};

class OutputDirectory {
 public:
  // Creates the directory (and frames/ inside) and holds it for this run until destroyed; throws
  // std::runtime_error when it cannot, when the path is empty, or when another run holds the directory.
  explicit OutputDirectory(std::filesystem::path dir, OutputOptions options = {});
  ~OutputDirectory();

  // Sinks that render the screen and pass the frame on to the files it belongs in.
  FrameSink frameSink();
  RecordingSink recordingSink();
  std::optional<Film> film();
  // Streams the trace into trace.jsonl from now on.
  void attachTrace(platform::Device& device);
  // Waits for the workers, then writes contact-sheet.png and the film; answers the sheet's path, or empty
  // when no frame was captured.
  std::filesystem::path finish(platform::Nanos end);

  const std::filesystem::path& path() const { return dir_; }
  std::filesystem::path tracePath() const { return dir_ / "trace.jsonl"; }
  std::filesystem::path filmPath() const;
  // Final once finish() has waited for the workers.
  std::size_t framesWritten() const { return framesWritten_.load(); }
  const std::vector<std::filesystem::path>& recordingsWritten() const { return recordingsWritten_; }
  // Files that could not be written, in the order they failed.
  std::vector<std::filesystem::path> failures() const;

 private:
  platform::CGImageRef render(SimPhone& phone);
  void keep(const platform::CGImageRef& frame, const std::string& name, platform::Nanos time, bool asFile);
  void writeWebp(std::unique_ptr<AnimatedWebp> webp, platform::Nanos end, std::filesystem::path path);
  void failed(std::filesystem::path path);

  std::filesystem::path dir_;
  // Taken before anything is written, and let go last, once the workers have finished.
  std::unique_ptr<FolderLock> lock_;
  OutputOptions options_;
  platform::Renderer renderer_;
  std::ofstream trace_;
  std::atomic<std::size_t> framesWritten_ = 0;
  std::vector<std::filesystem::path> recordingsWritten_;

  // Used only on the files worker.
  platform::PngFrameEncoder png_;
  platform::ContactSheet sheet_;
  // Used only on the animation worker.
  std::map<std::string, std::unique_ptr<AnimatedWebp>, std::less<>> recordings_;
  std::unique_ptr<AnimatedWebp> film_;

  mutable std::mutex failuresMutex_;
  std::vector<std::filesystem::path> failures_;

  // Last, so that they end (finishing their tasks) before what the tasks use.
  BackgroundQueue files_{2};
  BackgroundQueue animations_{2};
};

}  // namespace sim

#include "sim/output/output_directory.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "platform/device/device.h"
#include "platform/foundation/file_write.h"
#include "platform/graphics/png_codec.h"

namespace sim {

OutputDirectory::OutputDirectory(std::filesystem::path dir, OutputOptions options)
    : dir_(std::move(dir)), options_(options) {
  // An empty path would scatter the outputs over the current folder.
  if (dir_.empty()) throw std::runtime_error("the output directory has no name");
  std::error_code ec;
  std::filesystem::create_directories(dir_, ec);
  if (ec) throw std::runtime_error("cannot create " + dir_.string() + ": " + ec.message());
  lock_ = std::make_unique<FolderLock>(dir_);
  std::filesystem::create_directories(dir_ / "frames", ec);
  if (ec) throw std::runtime_error("cannot create " + (dir_ / "frames").string() + ": " + ec.message());
}

OutputDirectory::~OutputDirectory() {
  files_.drain();
  animations_.drain();
}

std::filesystem::path OutputDirectory::filmPath() const {
  return dir_ / (options_.filmName + ".webp");
}

platform::CGImageRef OutputDirectory::render(SimPhone& phone) {
  return options_.scale ? phone.renderScreen(renderer_, *options_.scale) : phone.renderScreen(renderer_);
}

void OutputDirectory::failed(std::filesystem::path path) {
  std::lock_guard lock(failuresMutex_);
  failures_.push_back(std::move(path));
}

std::vector<std::filesystem::path> OutputDirectory::failures() const {
  std::lock_guard lock(failuresMutex_);
  return failures_;
}

void OutputDirectory::keep(const platform::CGImageRef& frame, const std::string& name, platform::Nanos time,
                           bool asFile) {
  char label[160];
  std::snprintf(label, sizeof label, "%s  t=%.2fs", name.c_str(), platform::nanosToSeconds(time));
  auto path = dir_ / "frames" / (name + ".png");
  files_.post([this, frame, path, asFile, name, text = std::string(label)]() mutable {
    if (options_.inspect) options_.inspect(name, *frame);
    // Counted only once on disk: a frame that could not be written is not a frame written.
    if (asFile) {
      if (png_.write(*frame, path))
        ++framesWritten_;
      else
        failed(path);
    }
    if (sheet_.wantsNext())
      sheet_.add(frame, std::move(text));
    else
      sheet_.skip();
  });
}

FrameSink OutputDirectory::frameSink() {
  return [this](const std::string& name, platform::Nanos time, SimPhone& phone) {
    platform::CGImageRef image = render(phone);
    if (!image) return;
    keep(image, name, time, options_.frameFiles != FrameFiles::None);
  };
}

RecordingSink OutputDirectory::recordingSink() {
  return [this](const RecordedFrame& frame, SimPhone& phone) {
    platform::CGImageRef image = render(phone);
    if (!image) return;
    keep(image, frame.name, frame.time, options_.frameFiles == FrameFiles::All);
    bool last = frame.index + 1 == frame.count;
    auto path = dir_ / (frame.recording + ".webp");
    if (last) recordingsWritten_.push_back(path);
    animations_.post([this, image, recording = frame.recording, time = frame.time, last, end = frame.end, path] {
      auto& webp = recordings_[recording];
      if (!webp) webp = std::make_unique<AnimatedWebp>(image->width(), image->height());
      webp->add(*image, time);
      if (!last) return;
      writeWebp(std::move(webp), end, path);
      recordings_.erase(recording);
    });
  };
}

std::optional<Film> OutputDirectory::film() {
  if (!options_.filmFps) return std::nullopt;
  return Film{*options_.filmFps, [this](platform::Nanos time, SimPhone& phone) {
                platform::CGImageRef image = render(phone);
                if (!image) return;
                animations_.post([this, image, time] {
                  if (!film_) film_ = std::make_unique<AnimatedWebp>(image->width(), image->height());
                  film_->add(*image, time);
                });
              }};
}

void OutputDirectory::writeWebp(std::unique_ptr<AnimatedWebp> webp, platform::Nanos end,
                                std::filesystem::path path) {
  std::vector<std::uint8_t> bytes = webp->finish(end);
  if (bytes.empty() || !platform::writeFileBytes(path, bytes)) failed(std::move(path));
}

void OutputDirectory::attachTrace(platform::Device& device) {
  trace_.open(tracePath(), std::ios::trunc);
  if (!trace_) throw std::runtime_error("cannot write " + tracePath().string());
  for (const auto& event : device.trace().events()) trace_ << platform::toJsonLine(event) << '\n';
  device.trace().setSink(&trace_);
}

std::filesystem::path OutputDirectory::finish(platform::Nanos end) {
  animations_.post([this, end] {
    // Recordings cut short by the end of the scenario still get their file.
    for (auto& [name, webp] : recordings_) writeWebp(std::move(webp), end, dir_ / (name + ".webp"));
    recordings_.clear();
    if (film_) writeWebp(std::move(film_), end, filmPath());
  });
  files_.drain();
  animations_.drain();
  // A trace that broke off mid-run (a full disk, say) is an incomplete record of the run.
  if (trace_.is_open() && !trace_.flush()) failed(tracePath());
  if (sheet_.cells() == 0) return {};
  platform::CGImageRef sheet = sheet_.compose();
  auto path = dir_ / "contact-sheet.png";
  if (!sheet || !platform::writePng(*sheet, path)) {
    failed(path);
    return {};
  }
  return path;
}

}  // namespace sim

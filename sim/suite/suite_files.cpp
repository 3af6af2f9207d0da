#include "sim/suite/suite_files.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace sim::suite {

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".scenario";

std::optional<std::size_t> number(std::string_view text) {
  std::size_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<fs::path> findScenarios(const std::vector<fs::path>& paths) {
  std::vector<fs::path> files;
  for (const fs::path& path : paths) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      // Links to folders are not followed: a link back up would never end.
      for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
           it.increment(ec))
        if (it->path().extension() == kExtension && it->is_regular_file(ec)) files.push_back(it->path().lexically_normal());
      if (ec) throw std::runtime_error("cannot read " + path.string() + ": " + ec.message());
    } else if (fs::is_regular_file(path, ec)) {
      if (path.extension() != kExtension) throw std::runtime_error(path.string() + " is not a .scenario file");
      files.push_back(path.lexically_normal());
    } else {
      throw std::runtime_error("no file or folder " + path.string());
    }
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

std::optional<Shard> parseShard(const std::string& text, std::string& error) {
  std::size_t slash = text.find('/');
  auto index = slash == std::string::npos ? std::nullopt : number(std::string_view(text).substr(0, slash));
  auto count = slash == std::string::npos ? std::nullopt : number(std::string_view(text).substr(slash + 1));
  if (!index || !count || *count == 0 || *index == 0 || *index > *count) {
    error = "--shard takes K/N with 1 <= K <= N, not '" + text + "'";
    return std::nullopt;
  }
  return Shard{*index, *count};
}

std::vector<fs::path> shardOf(const std::vector<fs::path>& files, Shard shard) {
  std::vector<fs::path> share;
  for (std::size_t i = shard.index - 1; i < files.size(); i += shard.count) share.push_back(files[i]);
  return share;
}

std::vector<fs::path> filtered(const std::vector<fs::path>& files, const std::string& text) {
  std::vector<fs::path> kept;
  for (const auto& file : files)
    if (file.generic_string().find(text) != std::string::npos) kept.push_back(file);
  return kept;
}

fs::path outputFolderOf(const fs::path& out, const fs::path& scenario) {
  fs::path absolute = fs::absolute(scenario).lexically_normal();
  fs::path relative = absolute.lexically_relative(fs::current_path());
  if (relative.empty() || *relative.begin() == "..") relative = absolute.relative_path();
  return out / relative.replace_extension();
}

}  // namespace sim::suite

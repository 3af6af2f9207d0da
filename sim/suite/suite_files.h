#pragma once
// Which scenario files a suite holds: the files named, and every *.scenario below the folders named,
// each once, in one order on every machine; then the share of one shard of a CI matrix, and a filter.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim::suite {

// Sorted by path, without repeats. Throws std::runtime_error naming a path that does not exist or a
// file that is not a scenario.
std::vector<std::filesystem::path> findScenarios(const std::vector<std::filesystem::path>& paths);

// Shard K of N (1 <= K <= N): the files at K-1, K-1+N, K-1+2N ... of the sorted list, so that the N shards
// hold every file once and about as many each.
struct Shard {
  std::size_t index = 1;
  std::size_t count = 1;
};
// "K/N"; nothing, with `error` set, when it is not one.
std::optional<Shard> parseShard(const std::string& text, std::string& error);
std::vector<std::filesystem::path> shardOf(const std::vector<std::filesystem::path>& files, Shard shard);

// The files whose path holds `text`; every file for an empty text.
std::vector<std::filesystem::path> filtered(const std::vector<std::filesystem::path>& files, const std::string& text);

// Where a scenario's outputs go below `out`: its path relative to the current folder (or from the root
// when it lies elsewhere), without its extension.
std::filesystem::path outputFolderOf(const std::filesystem::path& out, const std::filesystem::path& scenario);

}  // namespace sim::suite

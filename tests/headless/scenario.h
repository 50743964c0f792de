// Runs the whole menu in-process under the headless driver, on a real scratch Wine prefix, and keeps what it
// printed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace norva::test {

struct ScenarioResult {
  int exit_code = 0;
  std::string out;
  std::string err;
  // Every `dump` line, parsed.
  std::vector<nlohmann::ordered_json> dumps;
};

struct Scenario {
  Scenario(std::filesystem::path prefix_dir, std::optional<std::filesystem::path> disc_dir)
      : prefix(std::move(prefix_dir)), disc(std::move(disc_dir)) {}

  std::filesystem::path prefix;
  std::optional<std::filesystem::path> disc;
  int clock_minutes = 12 * 60;
  int screen_width = 1024;
  int screen_height = 768;
  std::string script;
  // Windows programs run through this runner (as --runner); without one launches are only logged.
  std::optional<std::string> runner;

  ScenarioResult Run() const;
};

// The test disc kept under tests/data.
std::filesystem::path TestDisc();

}  // namespace norva::test

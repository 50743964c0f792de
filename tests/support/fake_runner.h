// A runner for tests that stands in for Wine: the "Windows programs" it runs are shell scripts, started with
// /bin/sh in their working folder with WINEPREFIX set, so that a test's setup or uninstaller can create
// files, shortcuts and uninstall entries in a scratch prefix as a real installer does under Wine.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norva::test {

// The runner command to pass as --runner (or as the process backend's runner words).
std::string FakeRunnerCommand();
std::vector<std::string> FakeRunnerWords();

// Every run of the fake runner in this prefix, in order: "<host working folder>|<arguments>".
std::vector<std::string> FakeRunnerCalls(const std::filesystem::path& prefix);

// Writes a "Windows program" (a shell script) to a host path, creating its folders.
void WriteWindowsProgram(const std::filesystem::path& host_path, std::string_view script);

// A text quoted for /bin/sh.
std::string ShellQuote(std::string_view text);

// Script lines that add an uninstall entry (key below
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall) with string values to the prefix's system.reg, as
// an installer run by Wine leaves it.
std::string UninstallEntryScript(std::string_view key,
                                 const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace norva::test

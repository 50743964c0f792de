// The log of every launch of the run (shell hand-overs and created processes), in order, as the state dump
// shows it. Shared by the shell and the process backend.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace norva::platform {

class LaunchLog {
 public:
  // Appends a record and returns its index (stable for the run).
  std::size_t Add(LaunchRecord record) {
    records_.push_back(std::move(record));
    return records_.size() - 1;
  }
  LaunchRecord& at(std::size_t index) { return records_.at(index); }
  const std::vector<LaunchRecord>& records() const { return records_; }

 private:
  std::vector<LaunchRecord> records_;
};

}  // namespace norva::platform

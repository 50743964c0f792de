// Where the window's random choices come from (the border animations). Tests put in a source that answers
// a fixed sequence.
#pragma once

#include <memory>

namespace norva::menu {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A number drawn uniformly from 0 .. bound - 1; `bound` is at least 1.
  virtual int Below(int bound) = 0;
};

// A source seeded from the system's entropy, different on every run.
std::unique_ptr<RandomSource> MakeSystemRandomSource();

}  // namespace norva::menu

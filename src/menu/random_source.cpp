#include "menu/random_source.h"

#include <random>

namespace norva::menu {
namespace {

class SystemRandomSource : public RandomSource {
 public:
  SystemRandomSource() : engine_(std::random_device{}()) {}

  int Below(int bound) override {
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace

std::unique_ptr<RandomSource> MakeSystemRandomSource() {
  return std::make_unique<SystemRandomSource>();
}

}  // namespace norva::menu

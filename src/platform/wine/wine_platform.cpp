#include "platform/wine/wine_platform.h"

namespace norva::platform::wine {
namespace {

WineProcessesOptions ProcessOptions(const std::filesystem::path& prefix, const WineShell& shell) {
  WineProcessesOptions options;
  options.prefix = prefix;
  options.runner = shell.runner();
  return options;
}

}  // namespace

std::unique_ptr<WinePlatform> WinePlatform::Open(const WinePlatformOptions& options, std::string* error) {
  auto machine = WineMachine::Open({options.prefix, options.disc}, error);
  if (!machine) return nullptr;
  return std::unique_ptr<WinePlatform>(new WinePlatform(std::move(machine), options));
}

WinePlatform::WinePlatform(std::unique_ptr<WineMachine> machine, const WinePlatformOptions& options)
    : machine_(std::move(machine)),
      ini_(machine_->files(), machine_->system()),
      shell_(machine_->files(),
             {machine_->prefix(), options.runner, options.opener, options.record_only_by_default}),
      processes_(machine_->files(), machine_->system(), shell_.log(),
                 ProcessOptions(machine_->prefix(), shell_)),
      archives_(machine_->files()),
      platform_{machine_->files(), machine_->drives(), ini_, machine_->registry(), machine_->system(), shell_,
                processes_,        &archives_} {}

}  // namespace norva::platform::wine

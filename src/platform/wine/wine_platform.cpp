#include "platform/wine/wine_platform.h"

#include "platform/wine/wine_halves.h"

namespace norva::platform::wine {
namespace {

WineProcessesOptions ProcessOptions(WineMachine& machine, const WineShell& shell, bool record_only) {
  WineProcessesOptions options;
  options.prefix = machine.prefix();
  options.runner = shell.runner();
  options.record_only = record_only;
  // An install or uninstall that has ended may have changed the registry a running server holds.
  options.waited_program_ended = [&registry = machine.registry()] { registry.ForgetSnapshot(); };
  return options;
}

}  // namespace

std::unique_ptr<WinePlatform> WinePlatform::Open(const WinePlatformOptions& options, std::string* error) {
  auto machine = WineMachine::Open({options.prefix, options.disc, options.mounted_discs}, error);
  if (!machine) return nullptr;
  return std::unique_ptr<WinePlatform>(new WinePlatform(std::move(machine), options));
}

WinePlatform::WinePlatform(std::unique_ptr<WineMachine> machine, const WinePlatformOptions& options)
    : machine_(std::move(machine)),
      ini_(machine_->files(), machine_->system(), machine_->files().AnsiCodePageSetting()),
      shell_(machine_->files(),
             {machine_->prefix(), options.runner, options.opener, options.record_only_by_default}),
      processes_(machine_->files(), machine_->system(), shell_.log(),
                 ProcessOptions(*machine_, shell_, options.record_only_by_default)),
      archives_(machine_->files()),
      platform_{machine_->files(), machine_->drives(), ini_, machine_->registry(), machine_->system(), shell_,
                processes_,        &archives_} {
  // A runner that is Wine itself (--runner /opt/wine/bin/wine) also reads a running server's registry: a
  // Wine of another version could not talk to that server.
  const std::vector<std::string>& runner = shell_.runner();
  if (IsWineRunner(runner)) machine_->registry().UseWine(runner);
}

}  // namespace norva::platform::wine

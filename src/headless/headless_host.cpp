#include "headless/headless_host.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace norva::headless {
namespace {

std::string KindName(menu::MessageKind kind) {
  switch (kind) {
    case menu::MessageKind::kError:
      return "error";
    case menu::MessageKind::kWarning:
      return "warning";
    case menu::MessageKind::kInformation:
      return "information";
    case menu::MessageKind::kConfirmation:
      return "confirmation";
    case menu::MessageKind::kPlain:
      return "plain";
  }
  return "plain";
}

std::vector<std::string> ButtonNames(menu::MessageButtons buttons) {
  switch (buttons) {
    case menu::MessageButtons::kOk:
      return {"OK"};
    case menu::MessageButtons::kOkCancel:
      return {"OK", "Cancel"};
    case menu::MessageButtons::kYesNo:
      return {"Yes", "No"};
    case menu::MessageButtons::kYesNoCancel:
      return {"Yes", "No", "Cancel"};
  }
  return {"OK"};
}

menu::MessageAnswer ToAnswer(const std::string& answer) {
  if (answer == "yes") return menu::MessageAnswer::kYes;
  if (answer == "no") return menu::MessageAnswer::kNo;
  if (answer == "cancel") return menu::MessageAnswer::kCancel;
  return menu::MessageAnswer::kOk;
}

}  // namespace

std::string DefaultAnswer(const std::vector<std::string>& buttons) {
  auto has = [&](const char* name) {
    return std::find(buttons.begin(), buttons.end(), name) != buttons.end();
  };
  if (has("No")) return "no";
  if (has("Cancel")) return "cancel";
  return "ok";
}

HeadlessHost::HeadlessHost(components::Clock& clock, menu::ScreenSize screen, int start_minutes)
    : clock_(clock), screen_(screen), start_minutes_(start_minutes) {}

menu::MessageAnswer HeadlessHost::ShowMessage(menu::MessageKind kind, std::string_view caption,
                                              std::string_view text, menu::MessageButtons buttons) {
  DialogRecord record{KindName(kind), std::string(caption), std::string(text), ButtonNames(buttons),
                      std::nullopt};
  dialogs_.push_back(std::move(record));
  const std::size_t index = dialogs_.size() - 1;
  const auto outer = modal_;
  modal_ = index;
  if (modal_loop_) modal_loop_(dialogs_[index]);
  modal_ = outer;
  auto& answered = dialogs_[index];
  if (!answered.answer) answered.answer = "default";
  const std::string effective =
      *answered.answer == "default" ? DefaultAnswer(answered.buttons) : *answered.answer;
  return ToAnswer(effective);
}

std::optional<std::size_t> HeadlessHost::ChooseVersion(std::string_view caption, std::string_view prompt,
                                                       const std::vector<std::string>& labels) {
  dialogs_.push_back({"version", std::string(caption), std::string(prompt), labels, std::nullopt});
  const std::size_t index = dialogs_.size() - 1;
  const auto outer = modal_;
  modal_ = index;
  if (modal_loop_) modal_loop_(dialogs_[index]);
  modal_ = outer;
  auto& answered = dialogs_[index];
  if (!answered.answer) answered.answer = "default";
  // The answer is the button's number; anything else closed the box without a choice.
  int number = 0;
  for (char c : *answered.answer) {
    if (c < '0' || c > '9' || number > 1000) return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number < 1 || number > static_cast<int>(labels.size())) return std::nullopt;
  return static_cast<std::size_t>(number - 1);
}

std::pair<std::size_t, std::optional<std::size_t>> HeadlessHost::Open(DialogRecord record) {
  dialogs_.push_back(std::move(record));
  const std::size_t index = dialogs_.size() - 1;
  const auto outer = modal_;
  modal_ = index;
  return {index, outer};
}

void HeadlessHost::ShowChooser(menu::DirChooser& chooser) {
  const auto [index, outer] =
      Open({"chooser", chooser.Caption, "", {"OK", "Cancel"}, std::nullopt, chooser.EditDir1});
  // The dialog's timer runs on the script's clock while the dialog is open.
  clock_.Register(chooser.Timer1);
  chooser.FormActivate();
  if (chooser_loop_) chooser_loop_(dialogs_[index], chooser);
  // A chooser the script left open gets its default: Cancel.
  if (!chooser.Closed()) {
    chooser.CancelButtonClick();
    dialogs_[index].answer = "default";
  }
  clock_.Unregister(chooser.Timer1);
  auto& record = dialogs_[index];
  record.edit = chooser.EditDir1;
  record.result = chooser.ChosenDir();
  if (!record.answer) record.answer = chooser.ChosenDir().empty() ? "cancel" : "ok";
  modal_ = outer;
}

void HeadlessHost::ShowUnpack(menu::UnpackForm& form) {
  DialogRecord opened{"unpack", "", "", {}, std::nullopt};
  opened.labels.assign(form.PackLabel.begin(), form.PackLabel.end());
  opened.percent = form.Percents;
  const auto [index, outer] = Open(std::move(opened));
  // A copy of the binding: clang before 16 cannot capture a structured binding.
  form.OnChange = [this, record = index, &form] { dialogs_[record].percent = form.Percents; };
  clock_.Register(form.Timer1);
  form.FormActivate();
  if (unpack_loop_) unpack_loop_(dialogs_[index], form);
  // Left alone, the window unpacks when its timer falls due.
  while (!form.CloseRequested() && form.Timer1.enabled()) clock_.Advance(form.Timer1.interval());
  clock_.Unregister(form.Timer1);
  form.FormClose();
  auto& record = dialogs_[index];
  record.percent = form.Percents;
  record.result = form.ChosenDir();
  form.OnChange = nullptr;
  form.OnPump = nullptr;
  modal_ = outer;
}

bool HeadlessHost::AddFontResource(const std::string& host_path) {
  // Without a window a font is only taken note of; a missing file is refused as the window would.
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(host_path, ignored)) return false;
  fonts_.push_back(host_path);
  return true;
}

void HeadlessHost::RemoveFontResource(const std::string& host_path) {
  auto it = std::find(fonts_.begin(), fonts_.end(), host_path);
  if (it != fonts_.end()) fonts_.erase(it);
}

int HeadlessHost::LocalHour() {
  const long long minutes = start_minutes_ + clock_.Now() / 60000;
  return static_cast<int>((minutes / 60) % 24);
}

void HeadlessHost::PlaceWindow(int left, int top, int width, int height) {
  placement_ = {left, top, width, height};
}

void HeadlessHost::Terminate(int exit_code) {
  if (terminate_requested_) return;
  terminate_requested_ = true;
  exit_code_ = exit_code;
}

void HeadlessHost::WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                             std::optional<std::chrono::steady_clock::time_point> until) {
  BlockWhile(still_running, wake, until);
}

void BlockWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                std::optional<std::chrono::steady_clock::time_point> until) {
  using Clock = std::chrono::steady_clock;
  int wake_fd = wake.native();
  while (still_running()) {
    int timeout = -1;
    if (until) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*until - Clock::now()).count();
      if (left <= 0) return;
      timeout = static_cast<int>(std::min<decltype(left)>(left, 1000));
    }
    if (wake_fd >= 0) {
      pollfd entry{wake_fd, POLLIN, 0};
      if (poll(&entry, 1, timeout) < 0 && errno != EINTR) wake_fd = -1;
    } else {
      poll(nullptr, 0, timeout < 0 ? 20 : std::min(timeout, 20));
    }
  }
}

}  // namespace norva::headless

#include "frontend/qt/qt_host.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include "frontend/qt/chooser_dialog.h"
#include "frontend/qt/message_dialog.h"
#include "frontend/qt/unpack_dialog.h"
#include "frontend/qt/version_chooser.h"

namespace norva::frontend::qt {

QtHost::QtHost(components::Clock& clock, RealTimeClock& time, QtHostOptions options)
    : clock_(clock), time_(time), options_(options) {}

QtHost::~QtHost() {
  if (busy_) QGuiApplication::restoreOverrideCursor();
}

void QtHost::SetWindow(QWidget* window) {
  window_ = window;
  if (window_ && placement_) {
    window_->move(placement_->topLeft());
    window_->setFixedSize(placement_->size());
  }
}

QString QtHost::Text(std::string_view ansi) const {
  return QString::fromStdString(platform::AnsiToUtf8(ansi, code_page_));
}

menu::MessageAnswer QtHost::ShowMessage(menu::MessageKind kind, std::string_view caption,
                                        std::string_view text, menu::MessageButtons buttons) {
  menu::MessageBoxModel model(buttons, look_.language);
  MessageDialog box(kind, Text(caption), Text(text), model, code_page_, look_.night_mode, fonts_.fallback(),
                    window_);
  const auto answer = box.Ask();
  time_.Schedule();
  return answer;
}

std::optional<std::size_t> QtHost::ChooseVersion(std::string_view caption, std::string_view prompt,
                                                 const std::vector<std::string>& labels) {
  QStringList texts;
  for (const auto& label : labels) texts << Text(label);
  QScreen* screen = window_ && window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  VersionChooser chooser(Text(caption), Text(prompt), texts, area, window_);
  const auto result = chooser.Choose();
  time_.Schedule();
  return result;
}

void QtHost::ShowChooser(menu::DirChooser& chooser) {
  ChooserDialog dialog(chooser, code_page_, fonts_.fallback(), window_);
  // The dialog sits where the window design puts it on the menu window, wherever that was moved to.
  if (window_)
    dialog.move(window_->pos() + QPoint(menu::DirChooser::kOffsetLeft, menu::DirChooser::kOffsetTop));
  dialog.exec();
  time_.Schedule();
}

void QtHost::ShowUnpack(menu::UnpackForm& form) {
  UnpackDialog dialog(form, code_page_, fonts_.fallback(), time_, window_);
  if (window_)
    dialog.move(window_->pos() + QPoint(menu::UnpackForm::kOffsetLeft, menu::UnpackForm::kOffsetTop));
  dialog.exec();
  time_.Schedule();
}

void QtHost::BringToFront() {
  if (!window_) return;
  window_->raise();
  window_->activateWindow();
}

menu::ScreenSize QtHost::Screen() {
  if (options_.screen) return *options_.screen;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {1024, 768};
  return {screen->size().width(), screen->size().height()};
}

int QtHost::LocalHour() {
  if (options_.start_minutes) {
    const long long minutes = *options_.start_minutes + clock_.Now() / 60000;
    return static_cast<int>((minutes / 60) % 24);
  }
  return QTime::currentTime().hour();
}

void QtHost::PlaceWindow(int left, int top, int width, int height) {
  placement_ = QRect(left, top, width, height);
  if (!window_) return;
  window_->setFixedSize(width, height);
  window_->move(left, top);
}

void QtHost::StartSystemMove() {
  if (!window_) return;
  if (QWindow* handle = window_->windowHandle()) handle->startSystemMove();
}

void QtHost::ProcessMessages() {
  QCoreApplication::processEvents();
  time_.CatchUp();
}

void QtHost::WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                       std::optional<std::chrono::steady_clock::time_point> until) {
  using Clock = std::chrono::steady_clock;
  const auto passed = [&] { return until && Clock::now() >= *until; };
  if (!still_running() || passed()) return;
  QEventLoop loop;
  auto check = [&] {
    if (!still_running() || passed()) loop.quit();
  };
  QTimer deadline;
  if (until) {
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*until - Clock::now());
    deadline.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
  }
  // Asked after every batch of events: just before the event loop would go to sleep.
  auto* dispatcher = QAbstractEventDispatcher::instance();
  const auto batch = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, check);
  std::unique_ptr<QSocketNotifier> notifier;
  QTimer rearm;
  QTimer nap;
  if (wake.valid()) {
    notifier = std::make_unique<QSocketNotifier>(wake.native(), QSocketNotifier::Read);
    rearm.setSingleShot(true);
    QObject::connect(&rearm, &QTimer::timeout, &loop, [&] { notifier->setEnabled(true); });
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, [&] {
      check();
      // A descriptor that stays readable must not wake us in a loop: listen again a little later.
      notifier->setEnabled(false);
      rearm.start(20);
    });
  } else {
    // Nothing to wake us: look again now and then.
    QObject::connect(&nap, &QTimer::timeout, &loop, check);
    nap.start(20);
  }
  if (still_running() && !passed()) loop.exec();
  QObject::disconnect(batch);
}

void QtHost::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

void QtHost::Terminate(int exit_code) {
  if (terminated_) return;
  terminated_ = true;
  exit_code_ = exit_code;
  QCoreApplication::exit(exit_code);
}

}  // namespace norva::frontend::qt

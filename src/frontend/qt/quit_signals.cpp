#include "frontend/qt/quit_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>

namespace norva::frontend::qt {
namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
std::array<int, 2> signal_pipe = {-1, -1};
constexpr std::array<int, 3> kQuitSignals = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int number) {
  const int saved = errno;
  const char byte = static_cast<char>(number);
  // A full pipe already holds a pending quit; nothing is lost by dropping this one.
  [[maybe_unused]] const auto written = ::write(signal_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signal_pipe.data()) != 0) return;
  notifier_ = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::Arrived);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : kQuitSignals) ::sigaction(number, &action, nullptr);
}

QuitSignals::~QuitSignals() {
  for (const int number : kQuitSignals) ::signal(number, SIG_DFL);
  if (signal_pipe[0] >= 0) {
    ::close(signal_pipe[0]);
    ::close(signal_pipe[1]);
    signal_pipe = {-1, -1};
  }
}

void QuitSignals::Arrived() {
  char bytes[16];
  while (::read(signal_pipe[0], bytes, sizeof bytes) > 0) {
  }
  QCoreApplication::quit();
}

}  // namespace norva::frontend::qt

// Ending the window from outside: Ctrl+C in the terminal, a session's logout or a `kill` end the menu the
// way its exit button does (music stopped, fonts released), not in the middle of whatever it was doing.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace norva::frontend::qt {

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  // Catches SIGINT, SIGTERM and SIGHUP for the life of this object and quits the application's event loop
  // when one arrives. One object per process.
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

 private:
  void Arrived();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace norva::frontend::qt

#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace navora {

// Keeps one copy of the program running per user. The first copy takes a
// lock file in the temporary directory and listens on a local socket of the
// same name; a later copy finds the lock taken, asks the first to come to the
// front, and exits. A lock left by a copy that died is taken over (the lock
// records its owner's process id).
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `name` names both the lock file and the socket; the lock lies in
  // `lockDirectory`, by default the temporary directory. Tests pass their own.
  explicit SingleInstance(QString name, QString lockDirectory = {}, QObject* parent = nullptr);
  ~SingleInstance() override;

  // "NavoraApp-<user>".
  static QString DefaultName();

  // True when this is the first copy (it then listens for later ones);
  // false when another copy holds the lock, after asking it to come forward.
  bool Claim();

 signals:
  // A later copy started: the main window should come to the front.
  void RaiseRequested();

 private:
  void AcceptConnections();
  void SendRaise() const;

  QString name_;
  QString lockPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

// What a later copy sends to the first.
inline constexpr char kRaiseMessage[] = "raise\n";

}  // namespace navora

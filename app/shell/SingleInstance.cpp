#include "app/shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace navora {
namespace {

// How long a later copy waits for the first to take its message.
constexpr int kHandoverTimeoutMs = 1000;

QString LockPath(const QString& name, QString directory) {
  if (directory.isEmpty())
    directory = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  return QDir(directory).filePath(name + QStringLiteral(".lock"));
}

}  // namespace

SingleInstance::SingleInstance(QString name, QString lockDirectory, QObject* parent)
    : QObject(parent),
      name_(std::move(name)),
      lockPath_(LockPath(name_, std::move(lockDirectory))) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = QDir::home().dirName();
  return QStringLiteral("NavoraApp-") + user;
}

bool SingleInstance::Claim() {
  auto lock = std::make_unique<QLockFile>(lockPath_);
  if (!lock->tryLock(0)) {
    SendRaise();
    return false;
  }
  lock_ = std::move(lock);
  // The lock is ours, so a socket file left under this name is a dead copy's.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
  // Without the socket this copy still runs; later copies then start too.
  server_.listen(name_);
  return true;
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto readMessage = [this, socket] {
      if (!socket->canReadLine()) return;
      if (socket->readLine() == kRaiseMessage) emit RaiseRequested();
      socket->disconnectFromServer();
    };
    connect(socket, &QLocalSocket::readyRead, this, readMessage);
    readMessage();  // the message may have arrived with the connection
  }
}

void SingleInstance::SendRaise() const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kHandoverTimeoutMs)) return;
  socket.write(kRaiseMessage);
  socket.waitForBytesWritten(kHandoverTimeoutMs);
  socket.disconnectFromServer();
}

}  // namespace navora

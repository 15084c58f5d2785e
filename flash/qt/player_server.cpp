#include "player_server.h"

#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "player_answer.h"
#include "player_request.h"

namespace lmn::flash {

namespace {

// Connections served at once; more are closed at once (the pages need a handful).
constexpr int kMaxConnections = 32;
// A connection that has not sent its request by then is closed.
constexpr int kRequestTimeoutMs = 10000;

long long FileSize(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.isFile() && info.isReadable() ? info.size() : -1;
}

void Send(QTcpSocket* socket, const PlayerAnswer& answer) {
    socket->write(answer.head.data(), static_cast<qint64>(answer.head.size()));
    if (answer.bodyFile) {
        QFile file(QString::fromStdString(*answer.bodyFile));
        if (file.open(QIODevice::ReadOnly)) socket->write(file.readAll());
    } else {
        socket->write(answer.body.data(), static_cast<qint64>(answer.body.size()));
    }
    socket->disconnectFromHost();
}

}  // namespace

PlayerServer::PlayerServer(PlayerFiles files, QObject* parent)
    : QObject(parent), files_(std::move(files)), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &PlayerServer::OnConnection);
}

bool PlayerServer::Start() {
    return server_->listen(QHostAddress::LocalHost, 0);
}

QString PlayerServer::origin() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_->serverPort());
}

void PlayerServer::OnConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if (open_ >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_;
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --open_;
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] {
            if (!socket->property("answered").toBool()) socket->abort();
        });
    }
}

void PlayerServer::OnReadable(QTcpSocket* socket) {
    if (socket->property("answered").toBool()) {
        socket->readAll();
        return;
    }
    QByteArray received = socket->property("received").toByteArray();
    received += socket->read(static_cast<qint64>(kMaxRequestHead) - received.size());
    std::size_t headLength = 0;
    const std::string_view bytes(received.constData(), static_cast<std::size_t>(received.size()));
    const HeadState state = FindRequestHead(bytes, headLength);
    if (state == HeadState::Incomplete) {
        socket->setProperty("received", received);
        return;
    }
    socket->setProperty("answered", true);
    socket->setProperty("received", QVariant());
    Send(socket, state == HeadState::TooLarge
                     ? AnswerTooLarge()
                     : AnswerRequest(bytes.substr(0, headLength), files_, &FileSize));
}

}  // namespace lmn::flash

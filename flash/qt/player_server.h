// A read-only HTTP listener on 127.0.0.1 that hands the player's files (and the game folder's
// movies) to the pages of every embedded browser, whatever their origin. Qt WebEngine 6.4 lets
// no custom URL scheme answer fetch(), and the player fetches its WebAssembly; plain http on
// loopback is what every page can fetch from.
#pragma once

#include <QObject>
#include <QString>

#include "player_files.h"

class QTcpServer;
class QTcpSocket;

namespace lmn::flash {

class PlayerServer : public QObject {
  public:
    PlayerServer(PlayerFiles files, QObject* parent);

    // Listens on 127.0.0.1 at a port the system picks; false when that fails.
    bool Start();
    // "http://127.0.0.1:PORT"
    QString origin() const;

  private:
    void OnConnection();
    void OnReadable(QTcpSocket* socket);

    PlayerFiles files_;
    QTcpServer* server_;
    int open_ = 0;
};

}  // namespace lmn::flash

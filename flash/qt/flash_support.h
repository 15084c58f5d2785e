// The Flash player of the game folder for one program: finds the player's files, serves them on
// loopback and gives every page of a browser profile the bootstrap that loads the player when
// a page holds a Flash movie. Without the player's files the pages work as before.
#pragma once

#include <QObject>
#include <string>

class QWebEngineProfile;

namespace lmn::flash {

class PlayerServer;

class FlashSupport : public QObject {
  public:
    // The player is in programDir/ruffle; local pages' movies are in programDir/flash.
    FlashSupport(const std::string& programDir, QObject* parent);

    // Every document of every frame of the profile's pages gets the bootstrap.
    void InstallInto(QWebEngineProfile* profile) const;

  private:
    std::string programDir_;
    PlayerServer* server_ = nullptr;
};

}  // namespace lmn::flash

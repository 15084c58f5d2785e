// The room server's side of the lobby: the logins, the user and match lists it sends for the
// room page, its notices, and the lobby requests it relays between the two players (address
// reports, and a request one player could not get through and asks the other to make).
#pragma once

#include <string>

#include "game_env.h"
#include "package_reader.h"
#include "package_routes.h"
#include "room_connection.h"

namespace lmn::game {

class RoomLobby {
  public:
    RoomLobby(GameEnv& env, const RoomConnection& room, PackageRoutes& routes)
        : env_(env), room_(room), routes_(routes) {}

    // The room connection is up: the page hears of it and the long login goes out.
    void OnRoomConnected();
    // After [userinfo]: the short login, when the room connection is up.
    void SendShortLogin();
    void RequestUserList();

    // Fetch with retries; on "fail" the other player is asked to fetch the URL instead.
    std::string FetchOrAskOther(int otherId, const std::string& url);
    // Stores the other player's address report, unless that player could not get one.
    void StoreReport(int otherId, const std::string& report);

    // True when the package was the room's lists, notices or lobby relays.
    bool Dispatch(ConnectionHandle from, net::PackageReader& reader);

  private:
    void PassRoomList(net::PackageReader& reader);
    bool PageShowsRoom() const;
    // MSG_SRV_FETCH_FOR_ME: only the room server may ask, and only for a lobby request.
    void FetchForOther(ConnectionHandle from, net::PackageReader& reader);

    GameEnv& env_;
    const RoomConnection& room_;
    PackageRoutes& routes_;
};

}  // namespace lmn::game

// The room server's sessions: one per connection, known by user id once it has logged in, and
// a member of one room once it has sent the long login.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "net_event.h"

namespace lmn::dev {

struct Session {
    net::ConnectionHandle handle = 0;
    std::int32_t userId = 0;  // 0 until login
    std::string name;
    bool inRoom = false;
    std::int32_t roomId = 0;
    std::int32_t serverId = 0;
    std::string serverName;
    std::string baseUrl;
    std::uint64_t joinOrder = 0;  // lists show users in the order they entered
};

class RoomDirectory {
  public:
    Session& Open(net::ConnectionHandle handle);
    void Remove(net::ConnectionHandle handle);

    Session* ByHandle(net::ConnectionHandle handle);
    Session* ByUser(std::int32_t userId);

    // Gives userId to session. Returns the session that held the id before, which loses it
    // (nullptr when none did).
    Session* BindUser(Session& session, std::int32_t userId);
    void EnterRoom(Session& session, std::int32_t roomId);

    // Members of a room, in the order they entered.
    std::vector<Session*> Members(std::int32_t roomId);
    std::vector<Session*> All();

    // The user info text of list packages: "<id>,<name>".
    static std::string UserInfo(const Session& session);

  private:
    std::map<net::ConnectionHandle, Session> sessions_;
    std::map<std::int32_t, net::ConnectionHandle> byUser_;
    std::uint64_t nextJoin_ = 1;
};

}  // namespace lmn::dev

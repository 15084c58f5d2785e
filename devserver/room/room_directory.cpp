#include "room_directory.h"

#include <algorithm>

namespace lmn::dev {

Session& RoomDirectory::Open(net::ConnectionHandle handle) {
    Session& session = sessions_[handle];
    session.handle = handle;
    return session;
}

void RoomDirectory::Remove(net::ConnectionHandle handle) {
    auto it = sessions_.find(handle);
    if (it == sessions_.end()) return;
    auto user = byUser_.find(it->second.userId);
    if (user != byUser_.end() && user->second == handle) byUser_.erase(user);
    sessions_.erase(it);
}

Session* RoomDirectory::ByHandle(net::ConnectionHandle handle) {
    auto it = sessions_.find(handle);
    return it == sessions_.end() ? nullptr : &it->second;
}

Session* RoomDirectory::ByUser(std::int32_t userId) {
    auto it = byUser_.find(userId);
    return it == byUser_.end() ? nullptr : ByHandle(it->second);
}

Session* RoomDirectory::BindUser(Session& session, std::int32_t userId) {
    if (session.userId == userId) return nullptr;
    auto own = byUser_.find(session.userId);
    if (own != byUser_.end() && own->second == session.handle) byUser_.erase(own);
    Session* previous = ByUser(userId);
    if (previous) {
        previous->userId = 0;
        previous->inRoom = false;
    }
    session.userId = userId;
    byUser_[userId] = session.handle;
    return previous;
}

void RoomDirectory::EnterRoom(Session& session, std::int32_t roomId) {
    session.inRoom = true;
    session.roomId = roomId;
    session.joinOrder = nextJoin_++;
}

std::vector<Session*> RoomDirectory::Members(std::int32_t roomId) {
    std::vector<Session*> members;
    for (auto& [handle, session] : sessions_)
        if (session.inRoom && session.roomId == roomId) members.push_back(&session);
    std::sort(members.begin(), members.end(), [](auto* a, auto* b) { return a->joinOrder < b->joinOrder; });
    return members;
}

std::vector<Session*> RoomDirectory::All() {
    std::vector<Session*> all;
    for (auto& [handle, session] : sessions_) all.push_back(&session);
    return all;
}

std::string RoomDirectory::UserInfo(const Session& session) {
    return std::to_string(session.userId) + "," + session.name;
}

}  // namespace lmn::dev

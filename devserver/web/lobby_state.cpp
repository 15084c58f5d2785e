#include "lobby_state.h"

namespace lmn::dev {

int LobbyState::Login(const std::string& name) {
    std::lock_guard lock(mutex_);
    auto it = idsByName_.find(name);
    if (it != idsByName_.end()) return it->second;
    int id = nextId_++;
    idsByName_[name] = id;
    namesById_[id] = name;
    return id;
}

std::string LobbyState::NameOf(int id) const {
    std::lock_guard lock(mutex_);
    auto it = namesById_.find(id);
    return it == namesById_.end() ? "" : it->second;
}

void LobbyState::ReportPresence(int id, const std::string& report) {
    std::lock_guard lock(mutex_);
    presence_[id] = report;
}

size_t LobbyState::PresenceCount() const {
    std::lock_guard lock(mutex_);
    return presence_.size();
}

}  // namespace lmn::dev

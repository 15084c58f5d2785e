#include "lobby_state.h"

#include <algorithm>

namespace lmn::dev {

int LobbyState::Login(const std::string& name) {
    std::lock_guard lock(mutex_);
    auto it = idsByName_.find(name);
    if (it != idsByName_.end()) return it->second;
    int id = nextId_++;
    idsByName_[name] = id;
    return id;
}

void LobbyState::ReportPresence(int id, const std::string& report) {
    std::lock_guard lock(mutex_);
    presence_[id] = report;
}

void LobbyState::StoreReport(int id, const std::string& report) {
    std::lock_guard lock(mutex_);
    reports_[id] = report;
}

void LobbyState::AddMatch(int id1, int id2) {
    std::lock_guard lock(mutex_);
    matches_.insert(std::minmax(id1, id2));
}

void LobbyState::DeleteMatch(int id1, int id2) {
    std::lock_guard lock(mutex_);
    matches_.erase(std::minmax(id1, id2));
}

size_t LobbyState::MatchCount() const {
    std::lock_guard lock(mutex_);
    return matches_.size();
}

}  // namespace lmn::dev

#include "match_table.h"

namespace lmn::dev {

Match& MatchTable::Start(std::int32_t first, std::int32_t second, std::int32_t roomId) {
    Match& match = matches_[nextId_];
    match.id = nextId_++;
    match.players = {first, second};
    match.roomId = roomId;
    match.firstPlayer = first;
    return match;
}

void MatchTable::End(std::uint64_t matchId) {
    matches_.erase(matchId);
}

Match* MatchTable::OfUser(std::int32_t userId) {
    for (auto& [id, m] : matches_)
        if (m.players[0] == userId || m.players[1] == userId) return &m;
    return nullptr;
}

Match* MatchTable::Between(std::int32_t a, std::int32_t b) {
    for (auto& [id, m] : matches_)
        if ((m.players[0] == a && m.players[1] == b) || (m.players[0] == b && m.players[1] == a)) return &m;
    return nullptr;
}

Match* MatchTable::Watched(net::ConnectionHandle watcher) {
    for (auto& [id, m] : matches_)
        if (m.watchers.count(watcher)) return &m;
    return nullptr;
}

std::vector<const Match*> MatchTable::InRoom(std::int32_t roomId) const {
    std::vector<const Match*> found;
    for (const auto& [id, m] : matches_)
        if (m.roomId == roomId) found.push_back(&m);
    return found;
}

bool MatchTable::Record(Match& match, const std::string& action) {
    if (match.actionBytes + action.size() > kMaxKeptActionBytes) return false;
    match.actions.push_back(action);
    match.actionBytes += action.size();
    return true;
}

}  // namespace lmn::dev

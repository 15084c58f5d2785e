// What the stand-in lobby remembers: the players who logged in through the pages.
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>

namespace lmn::dev {

class LobbyState {
  public:
    // Logs a player in by name (a new name gets the next id); returns the id.
    int Login(const std::string& name);
    // Presence reports: user id -> the text of the last add_activep request.
    void ReportPresence(int id, const std::string& report);
    // Address reports: user id -> the last report stored for the player.
    void StoreReport(int id, const std::string& report);
    // Matches the clients announced, each pair kept once whatever its order.
    void AddMatch(int id1, int id2);
    void DeleteMatch(int id1, int id2);
    size_t MatchCount() const;

  private:
    mutable std::mutex mutex_;
    std::map<std::string, int> idsByName_;
    std::map<int, std::string> presence_;
    std::map<int, std::string> reports_;
    std::set<std::pair<int, int>> matches_;
    int nextId_ = 1001;
};

}  // namespace lmn::dev

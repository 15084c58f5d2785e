// Watching a match between two other players: the watcher asks the room server to attach it,
// and the match's running state comes back for the watch page.
#pragma once

#include "game_env.h"
#include "package_reader.h"
#include "package_routes.h"

namespace lmn::game {

class MatchWatch {
  public:
    MatchWatch(GameEnv& env, PackageRoutes& routes) : env_(env), routes_(routes) {}

    void Watch(int firstId, int secondId);
    void QuitWatch();

    // True when the package was a watched match's state.
    bool Dispatch(net::PackageReader& reader);

  private:
    void OnWatchState(net::PackageReader& reader);

    GameEnv& env_;
    PackageRoutes& routes_;
};

}  // namespace lmn::game

#include "package_routes.h"

namespace lmn::game {

bool PackageRoutes::ToPeer(net::PackageWriter& package) {
    return state_.peer != 0 && link_.Send(state_.peer, package);
}

bool PackageRoutes::ToOpponent(net::PackageWriter& package) {
    return state_.relayed ? ToRoom(package) : ToPeer(package);
}

}  // namespace lmn::game

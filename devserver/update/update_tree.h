// The update tree the stand-in update server serves, kept below the devserver's root folder so
// that tests and demos can change it between runs:
//   ROOT/update-tree/<path>   files served at /game/zrk/<path> (manifests, card pictures, ...)
//   ROOT/update-raw/<path>    when present, sent as the whole answer (status line and headers
//                             included), for servers that answer in odd ways
//   ROOT/update-address.txt   the update-address service's answer (default: the base URL)
//   ROOT/update-slow-rate     bytes per second of the slow lane (default 65536)
#pragma once

#include <string>

#include "module.h"

namespace lmn::dev {

struct UpdateTreeFile {
    enum class Kind { missing, raw, file } kind = Kind::missing;
    std::string native;  // the file to send
};

// The file for a path below "/game/zrk/"; missing for other paths and for paths with "..".
UpdateTreeFile FindUpdateTreeFile(const DevContext& ctx, const std::string& path);

// The answer of the update-address service.
std::string UpdateAddressAnswer(const DevContext& ctx);

// Bytes per second of the slow lane.
long SlowLaneRate(const DevContext& ctx);

// Writes the seed tree when ROOT/update-tree does not exist yet: the four manifests, the
// pictures of cards 1-3 and 4001-4055, one other file and, when an updater program is known
// (option --update-updater=PATH, or Update.exe of the same build), that program as a newer
// updater.
void SeedUpdateTree(const DevContext& ctx);

}  // namespace lmn::dev

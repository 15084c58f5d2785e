// Server requests of the card maker run on a thread of their own while the window thread waits in
// an event loop of its own: the windows go on painting and their timers run, so a slow or silent
// server (every request is bounded in time) never freezes them. Input is held back meanwhile, so
// the player cannot start a second request before the first has answered.
#pragma once

#include <functional>

#include "card_outputs.h"
#include "publish.h"

namespace lmn::maker {

// Runs work on a new thread and returns once it has returned, handling the window thread's
// events other than input in the meantime.
void RunOffWindowThread(const std::function<void()>& work);

// The same requests, each run that way.
ReplyFetchFunction OffWindowThread(ReplyFetchFunction fetch);
PublishServices OffWindowThread(PublishServices services);

}  // namespace lmn::maker

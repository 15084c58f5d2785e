#include "navigation_watch.h"

#include "fixed_values.h"

namespace lmn::shell {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

bool IsPlainIndexPage(std::string_view url) {
    // "type=client" counts only after the first character, as the page links were written.
    return Contains(url, "game/zrk/index.php") && url.find("type=client", 1) == std::string_view::npos;
}

BeforeNavigateAction ClassifyBeforeNavigate(std::string_view url) {
    if (Contains(url, kCommandHost)) return BeforeNavigateAction::QueueCommand;
    if (Contains(url, "game/zrk/index.php")) {
        return IsPlainIndexPage(url) ? BeforeNavigateAction::ReopenClientPage : BeforeNavigateAction::Pass;
    }
    if (Contains(url, "game/zrk/watch_match.php")) return BeforeNavigateAction::EnterWatchPage;
    return BeforeNavigateAction::Pass;
}

bool NewWindowStaysInClient(std::string_view url) {
    return Contains(url, kPortalHost);
}

}  // namespace lmn::shell

// What the client does with the browser's navigations: commands are caught, the plain index
// page brings the client page back, the watch page waits for its load report, new windows go
// to the user's browser unless they belong to the portal.
#pragma once

#include <string_view>

namespace lmn::shell {

enum class BeforeNavigateAction {
    Pass,              // let the browser go there
    QueueCommand,      // a command for the program: cancel and queue it
    ReopenClientPage,  // the plain index page: cancel and run StartClientPage again
    EnterWatchPage,    // the watch page: clear the page-ready flag and let it load
};

BeforeNavigateAction ClassifyBeforeNavigate(std::string_view url);

// After a page has loaded: true when it is the plain index page (no "type=client").
bool IsPlainIndexPage(std::string_view url);

// A new window the page opens: true when it stays in the client (portal host), false when it
// belongs in the user's own browser.
bool NewWindowStaysInClient(std::string_view url);

}  // namespace lmn::shell

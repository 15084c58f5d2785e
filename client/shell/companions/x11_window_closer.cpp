#include "x11_window_closer.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "process_state.h"

namespace lmn::companions {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// One connection to the X server with the atoms the closer needs.
class XSession {
  public:
    XSession() : conn_(xcb_connect(nullptr, nullptr)) {
        if (!ok()) return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        clientList_ = Atom("_NET_CLIENT_LIST");
        netWmName_ = Atom("_NET_WM_NAME");
        utf8_ = Atom("UTF8_STRING");
        protocols_ = Atom("WM_PROTOCOLS");
        deleteWindow_ = Atom("WM_DELETE_WINDOW");
        netWmPid_ = Atom("_NET_WM_PID");
    }
    ~XSession() { xcb_disconnect(conn_); }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return xcb_connection_has_error(conn_) == 0; }

    std::vector<xcb_window_t> TopLevelWindows() {
        std::vector<xcb_window_t> managed = WindowList(root_, clientList_);
        if (!managed.empty()) return managed;
        std::vector<xcb_window_t> viewable;
        auto tree = Owned(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, root_), nullptr));
        if (!tree) return viewable;
        xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            if (IsViewable(children[i])) viewable.push_back(children[i]);
        return viewable;
    }

    // Up to 500 characters of UTF-8 take at most 2000 bytes.
    std::string Title(xcb_window_t window) {
        std::string title = Property(window, netWmName_, utf8_);
        return title.empty() ? Property(window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY) : title;
    }

    int Owner(xcb_window_t window) {
        auto reply = Owned(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) return 0;
        return static_cast<int>(*static_cast<uint32_t*>(xcb_get_property_value(reply.get())));
    }

    void AskToClose(xcb_window_t window) {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols_;
        event.data.data32[0] = deleteWindow_;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(conn_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(conn_);
    }

    // Destroyed, unmapped, or dropped from the window manager's list.
    bool IsGone(xcb_window_t window) {
        if (!IsViewable(window)) return true;
        std::vector<xcb_window_t> managed = WindowList(root_, clientList_);
        return !managed.empty() && std::find(managed.begin(), managed.end(), window) == managed.end();
    }

  private:
    xcb_atom_t Atom(const char* name) {
        auto reply = Owned(xcb_intern_atom_reply(
            conn_, xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    bool IsViewable(xcb_window_t window) {
        auto attributes =
            Owned(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    std::vector<xcb_window_t> WindowList(xcb_window_t window, xcb_atom_t property) {
        auto reply = Owned(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, property, XCB_ATOM_WINDOW, 0, 65536), nullptr));
        std::vector<xcb_window_t> windows;
        if (!reply || reply->format != 32) return windows;
        auto* values = static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
        windows.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
        return windows;
    }

    std::string Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        auto reply = Owned(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, property, type, 0, 500), nullptr));
        if (!reply || reply->format != 8) return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_connection_t* conn_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t clientList_ = XCB_ATOM_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8_ = XCB_ATOM_NONE;
    xcb_atom_t protocols_ = XCB_ATOM_NONE;
    xcb_atom_t deleteWindow_ = XCB_ATOM_NONE;
    xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
};

std::vector<xcb_window_t> Matching(XSession& x, const std::function<bool(std::string_view)>& matches) {
    std::vector<xcb_window_t> found;
    for (xcb_window_t window : x.TopLevelWindows())
        if (matches(x.Title(window))) found.push_back(window);
    return found;
}

template <typename Done>
bool WaitUntil(std::chrono::steady_clock::time_point deadline, Done done) {
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

X11WindowCloser::X11WindowCloser(std::chrono::milliseconds wait, Log log, CompanionTest isCompanion)
    : wait_(wait), log_(std::move(log)), isCompanion_(std::move(isCompanion)) {
    if (!log_) log_ = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
}

std::vector<uint32_t> X11WindowCloser::FindMatching(const std::function<bool(std::string_view)>& matches) {
    XSession x;
    if (!x.ok()) return {};
    return Matching(x, matches);
}

int X11WindowCloser::OwnerOf(uint32_t window) {
    XSession x;
    return x.ok() ? x.Owner(window) : 0;
}

int X11WindowCloser::CloseMatching(const std::function<bool(std::string_view)>& matches) {
    XSession x;
    if (!x.ok()) {
        if (!reportedNoDisplay_) log_("companions: no X display, running windows cannot be asked to close");
        reportedNoDisplay_ = true;
        return 0;
    }
    std::vector<xcb_window_t> windows = Matching(x, matches);
    std::vector<int> companions;
    for (xcb_window_t window : windows) {
        const int pid = x.Owner(window);
        if (pid > 0 && pid != getpid() && isCompanion_ && isCompanion_(pid)) companions.push_back(pid);
        x.AskToClose(window);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait_;
    for (xcb_window_t window : windows) WaitUntil(deadline, [&] { return x.IsGone(window); });
    for (int pid : companions) {
        if (WaitUntil(deadline, [&] { return ProcessEnded(pid); })) continue;
        // It was asked and did not end in time (a request holds it): it is ended so that only the
        // program started next runs.
        log_("companions: process " + std::to_string(pid) + " did not end after the close request; ended");
        kill(pid, SIGKILL);
        WaitUntil(std::chrono::steady_clock::now() + std::chrono::seconds(1),
                  [&] { return ProcessEnded(pid); });
    }
    return static_cast<int>(windows.size());
}

}  // namespace lmn::companions

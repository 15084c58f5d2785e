// A small X11 program for the tests: shows one window titled $LMN_TEST_WINDOW_TITLE (default
// "Lumenfold-编辑器"), appends "start <argv[1]>" to $LMN_TEST_WINDOW_LOG once the window is
// mapped, and "close <argv[1]>" when it is asked to close (WM_DELETE_WINDOW), then ends. Copied
// into a program folder as "LMN_KX_Maker.exe" it stands in for the card maker. The window names
// its process (_NET_WM_PID). With $LMN_TEST_WINDOW_IGNORE_CLOSE set it logs "ignore <argv[1]>"
// instead and keeps running; with $LMN_TEST_WINDOW_LINGER_MS it lingers that long after its
// window is gone before it ends.
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return atom;
}

void Log(const std::string& line) {
    const char* path = std::getenv("LMN_TEST_WINDOW_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string arg = argc > 1 ? argv[1] : "";
    const char* envTitle = std::getenv("LMN_TEST_WINDOW_TITLE");
    std::string title = envTitle ? envTitle : "Lumenfold-编辑器";
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_window_t w = xcb_generate_id(c);
    uint32_t mask = XCB_CW_EVENT_MASK;
    uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, 120, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask, &events);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), 8,
                        static_cast<uint32_t>(title.size()), title.data());
    const uint32_t pid = static_cast<uint32_t>(getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    const bool ignoreClose = std::getenv("LMN_TEST_WINDOW_IGNORE_CLOSE") != nullptr;
    const char* linger = std::getenv("LMN_TEST_WINDOW_LINGER_MS");
    xcb_atom_t deleteWindow = Atom(c, "WM_DELETE_WINDOW");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    xcb_map_window(c, w);
    xcb_flush(c);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) Log("start " + arg);
        if (type == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow) {
            std::free(event);
            if (ignoreClose) {
                Log("ignore " + arg);
                continue;
            }
            Log("close " + arg);
            xcb_destroy_window(c, w);
            xcb_flush(c);
            break;
        }
        std::free(event);
    }
    xcb_disconnect(c);
    if (linger) std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(linger)));
    return 0;
}

#include "global_hot_keys.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

#include "fixed_values.h"

namespace lmn::shell {

namespace {

constexpr xcb_keysym_t kKeysymX = 0x0078;   // XK_x
constexpr xcb_keysym_t kKeysymF9 = 0xffc6;  // XK_F9
// Alt, with and without Caps Lock and Num Lock, so the keys work whatever the lock state.
constexpr uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                      XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* X11Connection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

GlobalHotKeys::GlobalHotKeys(std::function<void(int)> onHotKey) : onHotKey_(std::move(onHotKey)) {
    xcb_connection_t* conn = X11Connection();
    if (conn == nullptr) {
        std::fprintf(stderr, "LMN_KX: no X11 display, the hot keys Alt+X and Alt+F9 are off\n");
        return;
    }
    connection_ = conn;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(conn);
    const std::pair<int, xcb_keysym_t> wanted[] = {{kHotKeyAltX, kKeysymX}, {kHotKeyAltF9, kKeysymF9}};
    for (const auto& [id, keysym] : wanted) {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        if (codes == nullptr || codes[0] == XCB_NO_SYMBOL) {
            free(codes);
            continue;
        }
        bool grabbed = true;
        for (uint16_t lock : kLockVariants) {
            auto cookie = xcb_grab_key_checked(conn, 1, root_, XCB_MOD_MASK_1 | lock, codes[0],
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(conn, cookie)) {
                grabbed = false;
                free(error);
            }
        }
        if (!grabbed) std::fprintf(stderr, "LMN_KX: hot key %d is held by another program\n", id);
        keys_.push_back({id, codes[0]});
        free(codes);
    }
    xcb_key_symbols_free(symbols);
    xcb_flush(conn);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

GlobalHotKeys::~GlobalHotKeys() {
    if (connection_ == nullptr) return;
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    auto* conn = static_cast<xcb_connection_t*>(connection_);
    for (const Key& key : keys_) {
        for (uint16_t lock : kLockVariants) xcb_ungrab_key(conn, key.keycode, root_, XCB_MOD_MASK_1 | lock);
    }
    xcb_flush(conn);
}

bool GlobalHotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (press->event != root_ || !(press->state & XCB_MOD_MASK_1)) return false;
    for (const Key& key : keys_) {
        if (key.keycode == press->detail) {
            onHotKey_(key.id);
            return true;
        }
    }
    return false;
}

}  // namespace lmn::shell

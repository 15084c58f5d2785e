#include "close_request_filter.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace lmn::maker {

namespace {

uint32_t Atom(xcb_connection_t* conn, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        conn, xcb_intern_atom(conn, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    uint32_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

}  // namespace

CloseRequestFilter::CloseRequestFilter(QWidget& window, std::function<void()> onClose)
    : window_(window), onClose_(std::move(onClose)) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    protocols_ = Atom(x11->connection(), "WM_PROTOCOLS");
    deleteWindow_ = Atom(x11->connection(), "WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequestFilter::~CloseRequestFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

bool CloseRequestFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || deleteWindow_ == 0) return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    auto* client = reinterpret_cast<xcb_client_message_event_t*>(event);
    if (client->format != 32 || client->type != protocols_ || client->data.data32[0] != deleteWindow_ ||
        !window_.windowHandle() || client->window != static_cast<uint32_t>(window_.winId()))
        return false;
    onClose_();
    return true;
}

}  // namespace lmn::maker

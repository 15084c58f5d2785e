// System-wide hot keys on X11: Alt+X and Alt+F9 are grabbed on the root window through xcb and
// reported with their ids (8888, 8889) wherever the focus is. Without X (Wayland, offscreen)
// one line is logged and nothing else happens.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <vector>

namespace lmn::shell {

class GlobalHotKeys : public QAbstractNativeEventFilter {
  public:
    explicit GlobalHotKeys(std::function<void(int id)> onHotKey);
    ~GlobalHotKeys() override;
    GlobalHotKeys(const GlobalHotKeys&) = delete;
    GlobalHotKeys& operator=(const GlobalHotKeys&) = delete;

  protected:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    struct Key {
        int id;
        std::uint8_t keycode;
    };

    std::function<void(int)> onHotKey_;
    void* connection_ = nullptr;  // xcb_connection_t*, owned by Qt
    std::uint32_t root_ = 0;
    std::vector<Key> keys_;
};

}  // namespace lmn::shell

#include "menus.h"

#include "text.h"

namespace lmn::shell {

namespace {

MenuItem Item(int command, const char* utf8) {
    return {command, Utf8ToGbk(utf8)};
}
MenuItem Separator() {
    return {};
}

}  // namespace

const Menu& RightClickMenu() {
    static const Menu menu{
        "RMENU",
        {Item(kCmdHome, "返回首页"), Item(kCmdPlayerHall, "返回人人对战大厅"),
         Item(kCmdComputerHall, "返回人机对战大厅"), Separator(),
         Item(kCmdOpenBaike, "在新的窗口中打开卡片百科"), Item(kCmdOpenBbs, "在新的窗口中打开论坛"),
         Item(kCmdOpenHelp, "在新的窗口中打开教学页面"), Separator(),
         Item(kCmdToggleMusic, "打开/关闭背景音乐"), Item(kCmdToggleSound, "打开/关闭音效"),
         Item(kCmdToggleVoice, "打开/关闭语音"), Separator(), Item(kCmdAboutPage, "关于")}};
    return menu;
}

const Menu& TrayMenu() {
    static const Menu menu{"TRAY_POPUP",
                           {Item(kCmdTrayShow, "显示"), Separator(), Item(kCmdTrayQuit, "退出")}};
    return menu;
}

}  // namespace lmn::shell

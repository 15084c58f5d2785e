// The client's two menus and their command ids.
#pragma once

#include <string>
#include <vector>

namespace lmn::shell {

enum MenuCommand : int {
    kCmdHome = 32771,          // "返回首页"
    kCmdPlayerHall = 32772,    // "返回人人对战大厅"
    kCmdComputerHall = 32773,  // "返回人机对战大厅"
    kCmdOpenBaike = 32774,     // "在新的窗口中打开卡片百科"
    kCmdOpenBbs = 32775,       // "在新的窗口中打开论坛"
    kCmdOpenHelp = 32776,      // "在新的窗口中打开教学页面"
    kCmdToggleMusic = 32777,   // "打开/关闭背景音乐"
    kCmdToggleSound = 32778,   // "打开/关闭音效"
    kCmdToggleVoice = 32779,   // "打开/关闭语音"
    kCmdAboutPage = 32780,     // "关于"
    kCmdTrayShow = 32781,      // "显示"
    kCmdTrayQuit = 32783,      // "退出"
};

struct MenuItem {
    int command = 0;   // 0: separator
    std::string text;  // GBK
};

struct Menu {
    std::string name;
    std::vector<MenuItem> items;
};

// "RMENU": the page's right-click menu.
const Menu& RightClickMenu();
// "TRAY_POPUP": the notification-area menu.
const Menu& TrayMenu();

}  // namespace lmn::shell

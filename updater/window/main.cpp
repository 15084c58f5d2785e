// Update.exe: brings the game's installation up to date, then starts the game client.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "paths.h"
#include "qt_update_host.h"
#include "update_run.h"
#include "update_sites.h"
#include "update_window.h"

int main(int argc, char** argv) {
    using namespace lmn::updater;
    QApplication app(argc, argv);
    QFont::insertSubstitution(QString::fromUtf8("宋体"), "AR PL UMing CN");
    QFont font(QString::fromUtf8("宋体"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    QtUpdateHost host;
    UpdateSession session(host, lmn::ProgramDirectory());
    UpdateWindow window([&session] { session.StartGameAndExit(); });
    host.setWindow(&window);
    window.show();

    std::thread worker([&session] { RunUpdateWorker(session, UpdateAddressUrlsFromEnvironment()); });
    worker.detach();
    window.exec();
    // Closing the window ends the updater without starting the game, whatever the worker does.
    std::fflush(stdout);
    std::_Exit(0);
}

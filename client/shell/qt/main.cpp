// LMN_KX: the game client. It opens its window only when started as "LMN_KX.exe go" (the
// updater does that); otherwise it starts the updater and ends.
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QWebEngineProfile>
#include <string>
#include <vector>

#include "cancelled_navigations.h"
#include "flash_support.h"
#include "http.h"
#include "main_window.h"
#include "net_room_link.h"
#include "paths.h"
#include "process.h"
#include "qt_reactor.h"
#include "startup_rule.h"
#include "text.h"

int main(int argc, char** argv) {
    // Chromium refuses to run as root with its sandbox.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // Pages give their commands by navigating frames; Chromium's guard against floods of
    // navigations would silently drop a frame's commands past 200 in ten seconds.
    if (QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        !flags.contains("--disable-ipc-flooding-protection")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.append(" --disable-ipc-flooding-protection").trimmed());
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    lmn::shell::CancelledNavigations::RegisterScheme();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    const std::string programDir = lmn::ProgramDirectory();
    lmn::shell::StartupActions actions;
    actions.showMessage = [](const std::string& gbk) {
        QMessageBox::information(nullptr, QStringLiteral("LMN_KX"),
                                 QString::fromStdString(lmn::GbkToUtf8(gbk)));
    };
    actions.startProgram = [](const std::string& program) { return lmn::StartDetached(program, {}); };
    if (lmn::shell::ApplyStartupRule(lmn::shell::CommandLineText(arguments), programDir, actions) ==
        lmn::shell::StartupDecision::Exit) {
        return 0;
    }

    // Tests of a web server that never answers shorten the wait for its silence.
    if (const int silenceMs = qEnvironmentVariableIntValue("LMN_HTTP_SILENCE_MS"); silenceMs > 0) {
        lmn::HttpLimits limits = lmn::CurrentHttpLimits();
        limits.silence = std::chrono::milliseconds(silenceMs);
        lmn::SetHttpLimits(limits);
    }
    // Every page of the client's browsers (the window, the about page, new windows) can play movies.
    lmn::flash::FlashSupport flash(programDir, &app);
    flash.InstallInto(QWebEngineProfile::defaultProfile());
    lmn::shell::HttpServerAccess server(programDir);
    lmn::net::QtReactor reactor;
    lmn::shell::NetRoomLink roomLink(reactor);
    lmn::shell::MainWindow window(programDir, server, roomLink);
    roomLink.SetEventHandler(
        [&window](lmn::net::NetEvent event) { window.core().OnNetEvent(std::move(event)); });
    // Another client on this machine may hold the direct-play port; room play works without it.
    roomLink.Listen(lmn::shell::kListenPort);
    window.show();
    return app.exec();
}

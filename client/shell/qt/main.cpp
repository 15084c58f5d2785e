// LMN_KX: the game client. It opens its window only when started as "LMN_KX.exe go" (the
// updater does that); otherwise it starts the updater and ends.
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <string>
#include <vector>

#include "main_window.h"
#include "paths.h"
#include "process.h"
#include "startup_rule.h"
#include "text.h"

int main(int argc, char** argv) {
    // Chromium refuses to run as root with its sandbox.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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

    lmn::shell::HttpServerAccess server(programDir);
    lmn::shell::MainWindow window(programDir, server);
    window.show();
    return app.exec();
}

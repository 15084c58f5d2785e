// LMN_KX_Maker.exe: the card maker. The whole command-line tail is its parameter string.
#include <QApplication>
#include <QWebEngineProfile>
#include <chrono>
#include <string>

#include "card_fonts.h"
#include "flash_support.h"
#include "http.h"
#include "main_window.h"
#include "paths.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    QApplication app(argc, argv);
    // Tests shorten how long a silent server is waited for.
    if (const int silenceMs = qEnvironmentVariableIntValue("LMN_HTTP_SILENCE_MS"); silenceMs > 0) {
        lmn::HttpLimits limits = lmn::CurrentHttpLimits();
        limits.silence = std::chrono::milliseconds(silenceMs);
        lmn::SetHttpLimits(limits);
    }
    lmn::maker::InstallCardFontSubstitutions();
    // The server's page may hold movies.
    lmn::flash::FlashSupport flash(lmn::ProgramDirectory(), &app);
    flash.InstallInto(QWebEngineProfile::defaultProfile());
    lmn::maker::MainWindow window(lmn::ProgramDirectory(), commandLine);
    window.Start();
    return app.exec();
}

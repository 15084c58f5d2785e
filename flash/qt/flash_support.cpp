#include "flash_support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <cstdio>

#include "player_server.h"

namespace lmn::flash {

namespace {

QString FolderUrl(const std::string& folder) {
    return QUrl::fromLocalFile(QString::fromStdString(folder)).toString(QUrl::FullyEncoded) +
           QLatin1Char('/');
}

}  // namespace

FlashSupport::FlashSupport(const std::string& programDir, QObject* parent)
    : QObject(parent), programDir_(programDir) {
    const std::string playerDir = programDir + "/ruffle";
    PlayerFiles files;
    files.AddFolder("/ruffle/", playerDir, {".js", ".wasm"});
    if (!files.Contains("/ruffle/ruffle.js")) {
        std::fprintf(stderr, "flash: no Flash player in %s; pages show no movies\n", playerDir.c_str());
        return;
    }
    files.AddFolder("/movies/", programDir + "/flash", {".swf"});
    auto* server = new PlayerServer(std::move(files), this);
    if (!server->Start()) {
        std::fprintf(stderr, "flash: cannot listen on 127.0.0.1; pages show no movies\n");
        delete server;
        return;
    }
    server_ = server;
}

void FlashSupport::InstallInto(QWebEngineProfile* profile) const {
    if (!server_) return;
    QFile source(QStringLiteral(":/lmn/flash/bootstrap.js"));
    if (!source.open(QIODevice::ReadOnly)) return;
    QJsonObject local;
    local[QStringLiteral("from")] = FolderUrl(programDir_ + "/flash");
    local[QStringLiteral("to")] = server_->origin() + QStringLiteral("/movies/");
    QJsonObject settings;
    settings[QStringLiteral("player")] = server_->origin() + QStringLiteral("/ruffle/");
    settings[QStringLiteral("localMovies")] = QJsonArray{local};
    const QString code = QString::fromUtf8(source.readAll()).trimmed().chopped(1) + QLatin1Char('(') +
                         QString::fromUtf8(QJsonDocument(settings).toJson(QJsonDocument::Compact)) +
                         QStringLiteral(");");

    QWebEngineScript script;
    script.setName(QStringLiteral("lumenfold-flash-bootstrap"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(code);
    profile->scripts()->insert(script);
}

}  // namespace lmn::flash

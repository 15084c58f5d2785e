// The baseline window of the client benchmarks: a bare QWebEngineView of the client's size
// showing one address, with nothing of the game client around it.
//   bare_web_view URL
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QWebEngineView view;
    view.resize(988, 630);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}

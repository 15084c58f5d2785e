#include "flash_folder.h"

#include <QColor>
#include <filesystem>
#include <vector>

namespace lmn::flash::test {

namespace fs = std::filesystem;

void AddFlashPlayer(const std::string& dir) {
    fs::copy(LMN_FLASH_PLAYER_DIR, dir + "/ruffle",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void AddIntroduction(const std::string& dir) {
    for (const char* page : {"open.html", "pt.html"})
        fs::copy_file(std::string(LMN_INSTALL_ASSETS) + "/" + page, dir + "/" + page,
                      fs::copy_options::overwrite_existing);
    fs::copy(std::string(LMN_GAME_BUILD_DIR) + "/flash", dir + "/flash",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

MakerProcess::MakerProcess(const std::string& dir, const std::string& parameters,
                           const std::map<std::string, std::string>& env) {
    const std::string program = dir + "/LMN_KX_Maker.exe";
    fs::copy_file(LMN_MAKER_BIN, program, fs::copy_options::overwrite_existing);
    process_ = lmn::test::ChildProcess({program, parameters},
                                       {.dir = dir, .env = env, .output = dir + "/maker.log"});
}

std::string FindWindow(const lmn::test::XvfbServer& display, const std::string& name) {
    const std::string found = display.Run("xdotool search --onlyvisible --name '" + name + "'");
    return found.substr(0, found.find('\n'));
}

QImage Picture(const lmn::test::XvfbServer& display, const std::string& window, const std::string& file) {
    const std::string artifacts = std::string(LMN_BINARY_DIR) + "/test-artifacts/";
    fs::create_directories(artifacts);
    display.Run("import -window " + window + " " + artifacts + file);
    return QImage(QString::fromStdString(artifacts + file));
}

double Share(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
    int total = 0, hits = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 2) {
        for (int x = inside.left(); x <= inside.right(); x += 2) {
            ++total;
            if (match(image.pixelColor(x, y))) ++hits;
        }
    }
    return total ? static_cast<double>(hits) / total : 0.0;
}

}  // namespace lmn::flash::test

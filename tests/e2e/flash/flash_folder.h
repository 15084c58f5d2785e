// Game folders for the Flash tests: the player's files and the introduction as `cmake --install`
// lays them out, the card maker started in a folder, and pictures of a window.
#pragma once

#include <sys/types.h>

#include <QImage>
#include <QRect>
#include <functional>
#include <map>
#include <string>

#include "client_process.h"

namespace lmn::flash::test {

// Copies the player's files into dir/ruffle.
void AddFlashPlayer(const std::string& dir);
// Copies open.html, pt.html and their movies into dir.
void AddIntroduction(const std::string& dir);

// The real LMN_KX_Maker.exe, copied into dir and started there with a parameter string.
class MakerProcess {
  public:
    MakerProcess(const std::string& dir, const std::string& parameters,
                 const std::map<std::string, std::string>& env);

  private:
    lmn::test::ChildProcess process_;
};

// The first visible window whose title contains name, or "".
std::string FindWindow(const lmn::test::XvfbServer& display, const std::string& name);
// A picture of the window, also kept as test-artifacts/<file>.
QImage Picture(const lmn::test::XvfbServer& display, const std::string& window, const std::string& file);
// Share of the area's pixels for which match holds.
double Share(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match);

}  // namespace lmn::flash::test

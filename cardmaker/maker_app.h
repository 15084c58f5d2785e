// The card maker's main-window logic: parameters, settings, start actions, the menu commands,
// the selection frame, the zoom and what the tool window pushes into the preview.
#pragma once

#include <QString>
#include <string>

#include "card_outputs.h"
#include "card_renderer.h"
#include "composition.h"
#include "maker_config.h"
#include "maker_host.h"
#include "parameters.h"
#include "profile.h"
#include "publish.h"

namespace lmn::maker {

enum class FrameCursor { Default, Hand, Move };

// The tool window's controls as read when a button or check box is clicked.
struct ToolValues {
    bool changeCharacter = false;
    QString name, title, voiceActor, introduction, ability;
    bool titleMarks = true, cvPrefix = true, bold = false, smooth = true;
};

inline constexpr const char* kHelpPage = "http://www.lumenfold.example/game/zrk/help/tpgh.php";
inline constexpr const char* kCardPictureFilter = "全部图片文件|*.jpg|全部文件|*.*|";
inline constexpr const char* kNewPictureFilter =
    "全部图片文件|*.bmp;*.jpg;*.jpeg;*.jpe;*.jfif;*.gif;*.png;*.dib;*.pcx;*.wbmp;*.wmf;*.tif;*.tiff;*.tga|"
    "全部文件|*.*|";

// What the player is told when a chosen picture cannot be shown; empty when it can.
std::string PictureFaultMessage(PictureFault fault, QSize declaredSize, const std::string& path);

class MakerApp {
  public:
    // programDir ends with a separator; commandLine is the parameter string.
    MakerApp(MakerHost& host, std::string programDir, std::string_view commandLine, ReplyFetchFunction fetch);

    const MakerParameters& parameters() const { return params_; }
    bool showsBrowser() const { return !params_.url.empty(); }
    const MakerConfig& config() const { return config_; }
    CardComposition& card() { return card_; }
    CardRenderer& renderer() { return renderer_; }
    const std::string& newPicturePath() const { return newPicturePath_; }
    std::string framePicturePath() const;
    const std::string& programDir() const { return programDir_; }
    PublishContext publishContext() const;

    // Loads the settings, takes the parameter user name on a first start, starts the timers.
    void Initialise();
    void OnTimer(MakerTimer id);

    void OpenCardPicture();
    void OpenNewPicture();
    bool GenerateCardFiles();
    void OpenHelp();

    void MousePress(int x, int y);
    void MouseMove(int x, int y);
    void MouseRelease();
    FrameCursor CursorAt(int x, int y) const;
    void SetZoom(int zoom);

    // Check box "更换卡片人物": returns whether the four text edits are enabled.
    bool OnChangeCharacter(const ToolValues& values);
    // Button "预览": texts and options (not the change-character flag) go to the preview.
    void OnPreview(const ToolValues& values);
    void OnFontChosen(const QString& face);
    // Sets the preview's card picture (the publish dialog's "..." button does this).
    void ShowCardPicture(const std::string& path);

  private:
    void SaveConfig();
    void RunStartAction();
    void RunBuyFlow();
    bool InsideFrame(int x, int y) const;

    MakerHost& host_;
    std::string programDir_;
    ReplyFetchFunction fetch_;
    ProfileFile profile_;
    MakerParameters params_;
    MakerConfig config_;
    CardComposition card_;
    CardRenderer renderer_;
    std::string newPicturePath_;
    bool dragging_ = false;
    int grabX_ = 0, grabY_ = 0;
};

}  // namespace lmn::maker

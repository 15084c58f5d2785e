#include "maker_app.h"

#include <algorithm>

#include "card_fonts.h"
#include "card_paths.h"
#include "paths.h"

namespace lmn::maker {

std::string PictureFaultMessage(PictureFault fault, QSize declaredSize, const std::string& path) {
    switch (fault) {
        case PictureFault::None:
            return {};
        case PictureFault::TooLarge:
            return "图片太大（" + std::to_string(declaredSize.width()) + "×" +
                   std::to_string(declaredSize.height()) + "），本机内存不够打开它，请先把图片缩小后再打开";
        case PictureFault::Unreadable:
            break;
    }
    return "无法读取这个图片文件，请换一个图片：" + path;
}

MakerApp::MakerApp(MakerHost& host, std::string programDir, std::string_view commandLine,
                   ReplyFetchFunction fetch)
    : host_(host),
      programDir_(std::move(programDir)),
      fetch_(std::move(fetch)),
      profile_(FullPath(programDir_, "config.ini")),
      params_(ParseParameters(commandLine)) {}

std::string MakerApp::framePicturePath() const {
    return FullPath(programDir_, "select.png");
}

PublishContext MakerApp::publishContext() const {
    return {params_.url, params_.userName, params_.userId, programDir_};
}

void MakerApp::SaveConfig() {
    SaveMakerConfig(profile_, config_);
}

void MakerApp::Initialise() {
    config_ = LoadMakerConfig(profile_);
    if (config_.userName.empty()) {
        if (!params_.userName.empty()) {
            config_.userName = params_.userName;
            SaveConfig();
        } else {
            host_.StartTimer(MakerTimer::NamePrompt, 1);
        }
    }
    host_.StartTimer(MakerTimer::StartAction, 1);
}

void MakerApp::OnTimer(MakerTimer id) {
    host_.KillTimer(id);
    if (id == MakerTimer::NamePrompt) {
        if (std::optional<std::string> name = host_.AskUserName()) {
            config_.userName = *name;
            SaveConfig();
        }
    } else {
        RunStartAction();
    }
}

void MakerApp::RunStartAction() {
    if (!params_.url.empty()) host_.Navigate(params_.url + "maker.php");
    switch (params_.type) {
        case 1:
            if (config_.cardFolder.empty()) {
                config_.cardFolder = FullPath(programDir_, "images/card");
                SaveConfig();
            }
            if (int n = ArgCardId(params_)) ShowCardPicture(CardBigPicture(config_.cardFolder, n));
            break;
        case 2:
            RunBuyFlow();
            break;
        case 3:
            host_.HideToolWindow();
            host_.RunPublishDialog();
            host_.Quit(0);
            break;
        default:
            break;
    }
}

void MakerApp::RunBuyFlow() {
    int n = ArgCardId(params_);
    if (n == 0) return;
    std::string bought = CardBigPicture(FullPath(programDir_, "temp"), n);
    ShowCardPicture(bought);
    if (host_.AskOkCancel("购买成功, 点击确定按钮更换原有图片文件", "提示"))
        InstallCardFiles(bought, programDir_, host_);
    host_.Quit(0);
}

void MakerApp::ShowCardPicture(const std::string& path) {
    card_.cardPicturePath = path;
    host_.RepaintPreview();
}

void MakerApp::OpenCardPicture() {
    std::optional<std::string> chosen = host_.ChooseFile(kCardPictureFilter, config_.cardFolder);
    if (!chosen) return;
    if (!IsCardPicturePath(*chosen)) {
        host_.ShowMessage("您选择的不是卡片图片文件，卡片图片文件位于游戏目录的images\\card下");
        return;
    }
    card_.cardPicturePath = BigPictureFor(*chosen);
    config_.cardFolder = FolderOf(card_.cardPicturePath);
    SaveConfig();
    host_.RepaintPreview();
}

void MakerApp::OpenNewPicture() {
    std::optional<std::string> chosen = host_.ChooseFile(kNewPictureFilter, config_.pictureFolder);
    if (!chosen) return;
    QSize declared;
    if (PictureFault fault = renderer_.FaultOf(*chosen, &declared); fault != PictureFault::None) {
        host_.ShowMessage(PictureFaultMessage(fault, declared, *chosen));
        return;
    }
    newPicturePath_ = *chosen;
    card_.newPicturePath = *chosen;
    config_.pictureFolder = FolderOf(*chosen);
    SaveConfig();
    host_.RepaintMain();
    host_.RepaintPreview();
    host_.HideBrowser();
}

bool MakerApp::GenerateCardFiles() {
    GenerateRequest request{programDir_, params_.url, config_.userName, Today()};
    return lmn::maker::GenerateCardFiles(renderer_, card_, request, fetch_, host_);
}

void MakerApp::OpenHelp() {
    host_.OpenInBrowser(kHelpPage);
}

bool MakerApp::InsideFrame(int x, int y) const {
    return x >= card_.frameX && x < card_.frameX + kFrameWidth && y >= card_.frameY &&
           y < card_.frameY + kFrameHeight;
}

void MakerApp::MousePress(int x, int y) {
    if (!InsideFrame(x, y)) return;
    dragging_ = true;
    grabX_ = x - card_.frameX;
    grabY_ = y - card_.frameY;
}

void MakerApp::MouseMove(int x, int y) {
    if (!dragging_) return;
    card_.frameX = x - grabX_;
    card_.frameY = y - grabY_;
    host_.RepaintPreview();
    host_.RepaintMain();
}

void MakerApp::MouseRelease() {
    dragging_ = false;
}

FrameCursor MakerApp::CursorAt(int x, int y) const {
    if (!InsideFrame(x, y)) return FrameCursor::Default;
    return dragging_ ? FrameCursor::Move : FrameCursor::Hand;
}

void MakerApp::SetZoom(int zoom) {
    card_.zoom = std::clamp(zoom, 0, kMaxZoom);
    host_.RepaintMain();
    host_.RepaintPreview();
}

bool MakerApp::OnChangeCharacter(const ToolValues& v) {
    card_.changeCharacter = v.changeCharacter;
    card_.titleMarks = v.titleMarks;
    card_.cvPrefix = v.cvPrefix;
    card_.bold = v.bold;
    card_.smooth = v.smooth;
    host_.RepaintPreview();
    return v.changeCharacter;
}

void MakerApp::OnPreview(const ToolValues& v) {
    card_.name = v.name;
    card_.title = v.title;
    card_.voiceActor = v.voiceActor;
    card_.introduction = v.introduction;
    card_.ability = v.ability;
    card_.titleMarks = v.titleMarks;
    card_.cvPrefix = v.cvPrefix;
    card_.bold = v.bold;
    card_.smooth = v.smooth;
    host_.RepaintPreview();
}

void MakerApp::OnFontChosen(const QString& face) {
    card_.fontFace = face;
    host_.RepaintPreview();
}

}  // namespace lmn::maker

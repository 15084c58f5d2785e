// The card maker's windows drawn offscreen, as a player sees them; screenshots are kept in
// the build folder's artifacts/cardmaker.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWebEngineView>

#include "card_fonts.h"
#include "card_pictures.h"
#include "devserver_process.h"
#include "input_name_dlg.h"
#include "jpeg_file.h"
#include "main_window.h"
#include "preview_window.h"
#include "sale_diy_card_dlg.h"
#include "temp_dir.h"
#include "text.h"
#include "tool_window.h"

using namespace lmn::maker;
using namespace lmn::test;

namespace {

// The real main window with the file dialog and message boxes answered by the test.
class ScriptedMainWindow : public MainWindow {
  public:
    using MainWindow::MainWindow;
    std::optional<std::string> ChooseFile(const std::string&, const std::string&) override {
        return nextFile;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    bool AskOkCancel(const std::string&, const std::string&) override { return false; }

    std::optional<std::string> nextFile;
    std::vector<std::string> messages;
};

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Keep(QWidget& w, const QString& name) {
    QDir().mkpath(LMN_ARTIFACTS);
    ASSERT_TRUE(w.grab().save(QString(LMN_ARTIFACTS) + "/" + name + ".png"));
}

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestFile(install / "select.png", ReadTestFile(LMN_SELECT_PNG));
        SavePng(DemoCard("旧人物", "《旧动画》", QColor(70, 90, 170)),
                install / "images/card/card_no_17_big.jpg");
        QDir().mkpath(QString::fromStdString(install / "photos"));
        ASSERT_TRUE(SaveJpeg(DemoPhoto(1200, 900), install / "photos/sunset.jpg"));
    }
    TempDir install;
};

TEST_F(WindowsTest, ComposedCardWithChineseTextsInAllThreeWindows) {
    DevServerProcess server;
    ASSERT_TRUE(server.ok());
    ScriptedMainWindow main(install.path(),
                            "url=" + server.baseUrl() + ";username=alice;userid=42;type=1;arg=17");
    main.Start();
    Pump(4000);  // the start action runs and the server page loads
    EXPECT_EQ(main.windowTitle(), "Lumenfold-编辑器");
    EXPECT_EQ(main.size(), QSize(700, 500));
    EXPECT_EQ(main.app().card().cardPicturePath, install / "images/card/card_no_17_big.jpg");
    QWebEngineView* web = main.findChild<QWebEngineView*>();
    ASSERT_NE(web, nullptr);
    EXPECT_TRUE(web->isVisible());
    EXPECT_EQ(web->url().toString().toStdString(), server.baseUrl() + "maker.php");
    EXPECT_EQ(web->title(), "Lumenfold 卡片制作器");
    Keep(main, "main_window_server_page");

    main.nextFile = install / "photos/sunset.jpg";
    main.app().OpenNewPicture();
    EXPECT_FALSE(web->isVisible());
    main.app().MousePress(10, 10);
    main.app().MouseMove(420, 180);
    main.app().MouseRelease();
    main.app().SetZoom(400);

    ToolWindow& tool = main.tool();
    EXPECT_EQ(tool.windowTitle(), "工具栏");
    tool.SetTexts("晨曦骑士", "光之旅途", "田中爱", "在黎明时分守护王都的年轻骑士，手持光之剑，从不退缩。",
                  "登场时，己方全体攻击力+1");
    tool.ClickChangeCharacter();
    tool.ClickPreview();
    Pump(300);

    PreviewWindow& preview = main.preview();
    EXPECT_EQ(preview.windowTitle(), "预览图");
    EXPECT_EQ(preview.size(), QSize(290, 420));
    QImage shown = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage composed =
        main.app().renderer().RenderCard(main.app().card()).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, composed);
    EXPECT_FALSE(InkBox(composed, QRect(30, 28, 230, 28), IsDark).isEmpty());
    EXPECT_FALSE(InkBox(composed, QRect(30, 322, 235, 60), IsRed).isEmpty());

    Keep(main, "main_window_selection");
    Keep(preview, "preview_window");
    Keep(tool, "tool_window");

    EXPECT_TRUE(main.app().GenerateCardFiles());
    ASSERT_FALSE(main.messages.empty());
    EXPECT_EQ(main.messages.back().rfind("卡片图案生成完毕", 0), 0u);
}

TEST_F(WindowsTest, PublishDialogAndNamePrompt) {
    ScriptedMainWindow main(install.path(),
                            "url=http://127.0.0.1:9/game/zrk/;username=alice;userid=42;type=0;arg=");
    PublishServices services;
    services.fetch = [](const std::string&) {
        return FetchReply{200, lmn::Utf8ToGbk("光之少女;星见铃;晨曦骑士")};
    };
    SaleDiyCardDlg dialog(main.app(), main, services);
    dialog.Fill(QString::fromStdString(install / "maker/card_no_17_big.jpg"), "晨曦骑士", "黎明骑士", "50");
    dialog.show();
    Pump(200);
    EXPECT_EQ(dialog.windowTitle(), "输入准备发布的卡片信息");
    Keep(dialog, "publish_dialog");

    InputNameDlg prompt;
    prompt.show();
    Pump(200);
    Keep(prompt, "name_prompt");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    InstallCardFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

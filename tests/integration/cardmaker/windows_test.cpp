// The card maker's windows drawn offscreen, as a player sees them; screenshots are kept in
// the build folder's artifacts/cardmaker.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

#include "card_fonts.h"
#include "card_pictures.h"
#include "devserver_process.h"
#include "input_name_dlg.h"
#include "jpeg_file.h"
#include "main_window.h"
#include "preview_window.h"
#include "sale_diy_card_dlg.h"
#include "selection_canvas.h"
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

// Shows of message boxes, counted while a test runs.
class MessageBoxWatch : public QObject {
  public:
    MessageBoxWatch() { qApp->installEventFilter(this); }
    ~MessageBoxWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(object)) ++shown;
        return false;
    }
    int shown = 0;
};

QMessageBox* OpenMessageBox() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

// The close request arrives while the buy question is open: the question is cancelled as Escape
// would, no other message box appears, and the program's loop ends with status 0.
TEST_F(WindowsTest, CloseRequestCancelsTheOpenQuestionAndEndsTheProgram) {
    MainWindow main(install.path(), "url=;username=alice;userid=42;type=0;arg=");
    main.Start();
    MessageBoxWatch watch;
    std::optional<bool> answered;
    int shownAfterClose = -1;
    QString question;
    QTimer::singleShot(0, &main, [&] {
        answered = main.AskOkCancel("购买成功, 点击确定按钮更换原有图片文件", "提示");
        const int before = watch.shown;
        main.ShowMessage("替换完成");
        EXPECT_FALSE(main.AskYesNo("是否覆盖？"));
        shownAfterClose = watch.shown - before;
    });
    QTimer::singleShot(500, &main, [&] {
        if (QMessageBox* box = OpenMessageBox()) {
            question = box->text();
            Keep(*box, "buy_question_before_close");
        }
        main.OnCloseRequest();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(question, "购买成功, 点击确定按钮更换原有图片文件");
    ASSERT_TRUE(answered.has_value());
    EXPECT_FALSE(*answered);
    EXPECT_TRUE(main.closing());
    EXPECT_EQ(shownAfterClose, 0);
    EXPECT_FALSE(main.isVisible());
}

// The pictures are on the FTP server but the registration finds no server: the form stays open
// with the message, and the player can press OK again.
TEST_F(WindowsTest, AFailedRegistrationLeavesTheFormOpenWithItsMessage) {
    MainWindow main(install.path(), "url=http://127.0.0.1:9/game/zrk/;username=alice;userid=42;type=0;arg=");
    PublishServices services = NetworkPublishServices();
    services.fetch = [](const std::string& url) {
        if (url.find("request_card_list.php") != std::string::npos)
            return FetchReply{200, lmn::Utf8ToGbk("光之少女;星见铃;晨曦骑士")};
        if (url.find("request_ftp_info.php") != std::string::npos)
            return FetchReply{200, "127.0.0.1;u;p;diy;10"};
        return FetchReply{};
    };
    int uploads = 0;
    services.upload = [&](const FtpAccount&, const std::string&, const std::string&) {
        return ++uploads > 0;
    };
    SaleDiyCardDlg dialog(main.app(), main, services);
    dialog.Fill(QString::fromStdString(install / "images/card/card_no_17_big.jpg"), "晨曦骑士", "黎明骑士",
                "50");
    dialog.show();
    Pump(200);

    QStringList boxes;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QMessageBox* box = OpenMessageBox();
        if (!box || boxes.contains(box->text())) return;
        boxes << box->text();
        if (box->text().contains("活跃度")) {
            box->button(QMessageBox::Ok)->click();
            return;
        }
        Keep(*box, "publish_registration_failed");
        Keep(dialog, "publish_form_after_failed_registration");
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(200);
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "确定") ok = button;
    ASSERT_NE(ok, nullptr);
    ok->click();
    answer.stop();

    EXPECT_EQ(boxes, (QStringList{"发布卡片图片需要10活跃度，您确定要发布吗?",
                                  "卡片图片已上传，但卡片登记失败（无法连接服务器），请稍后再点确定重试"}));
    EXPECT_EQ(uploads, 2);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

// A photo beyond Qt's own image allocation limit (lowered here to 8 MB) is shown, and zooms.
TEST_F(WindowsTest, APhotoBeyondQtsImageLimitIsShownAndZooms) {
    const int savedLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);
    ASSERT_TRUE(SaveJpeg(DemoPhoto(2400, 1800), install / "photos/wide.jpg"));  // 17 MB decoded
    ScriptedMainWindow main(install.path(), "url=;username=alice;userid=42;type=0;arg=");
    main.Start();
    Pump(200);
    main.nextFile = install / "photos/wide.jpg";
    main.app().OpenNewPicture();
    EXPECT_TRUE(main.messages.empty());
    EXPECT_EQ(main.app().newPicturePath(), install / "photos/wide.jpg");
    Pump(200);
    SelectionCanvas* canvas = main.findChild<SelectionCanvas*>();
    ASSERT_NE(canvas, nullptr);
    const QPoint o = canvas->mapTo(&main, QPoint(0, 0));
    QImage full = main.grab().toImage().copy(QRect(o, QSize(700, 480)));
    main.app().SetZoom(800);  // a fifth: 480 x 360, the rest of the window black
    Pump(200);
    QImage zoomed = main.grab().toImage().copy(QRect(o, QSize(700, 480)));
    Keep(main, "main_window_large_photo_zoomed");
    QImageReader::setAllocationLimit(savedLimit);

    auto black = [](const QImage& image, int x, int y) {
        EXPECT_TRUE(image.valid(x, y)) << x << "," << y;
        return (image.pixel(x, y) & 0xFFFFFF) == 0;
    };
    EXPECT_FALSE(black(full, 600, 400));
    EXPECT_FALSE(black(zoomed, 400, 300));
    EXPECT_TRUE(black(zoomed, 600, 400));
    EXPECT_TRUE(black(zoomed, 485, 100));
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

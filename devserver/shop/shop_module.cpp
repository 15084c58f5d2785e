// The card shop: the card maker's requests (card list, FTP account, card registration, card
// names) and the FTP server that receives published pictures.
//   --shop-ftp-port=N      FTP port (default 21)
//   --shop-ftp-reply=six   answer the account request with six fields (a trailing ';')
//   --shop-ftp-refuse=1    hand out a password the FTP server refuses
#include <filesystem>
#include <memory>
#include <random>

#include "card_catalogue.h"
#include "ftp_server.h"
#include "module.h"
#include "text.h"

namespace lmn::dev {

namespace {

constexpr const char* kFtpUser = "cardshop";
constexpr const char* kUploadFolder = "diy";
constexpr const char* kPointCost = "10";

std::unique_ptr<ShopFtpServer> g_ftp;
std::string g_password;

std::string RandomPassword() {
    std::random_device rd;
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string p;
    for (int i = 0; i < 16; ++i) p += kChars[rd() % 36];
    return p;
}

void Text(HttpResponse& res, const std::string& gbk) {
    res.contentType = "text/plain; charset=gbk";
    res.body = gbk;
}

std::string FtpHostField(const DevContext& ctx) {
    std::string port = ctx.Option("shop-ftp-port", "21");
    return port == "21" ? ctx.host : ctx.host + ":" + port;
}

bool FtpInfo(const DevContext& ctx, const HttpRequest& req, HttpResponse& res) {
    LogLine(ctx, "shop", "ftp_info username=" + req.Param("username"));
    if (!g_ftp->EnsureRunning()) {
        Text(res, "");
        return true;
    }
    std::string password = ctx.Option("shop-ftp-refuse") == "1" ? g_password + "x" : g_password;
    std::string reply =
        FtpHostField(ctx) + ";" + kFtpUser + ";" + password + ";" + kUploadFolder + ";" + kPointCost;
    if (ctx.Option("shop-ftp-reply") == "six") reply += ";";
    Text(res, reply);
    return true;
}

bool CardUpload(const DevContext& ctx, const HttpRequest& req, HttpResponse& res) {
    LogLine(ctx, "shop", "card_upload " + req.path + "?" + req.query);
    bool complete = !req.Param("userid").empty() && !req.Param("imagefilename").empty() &&
                    !req.Param("imagefilenamesmall").empty() && AtoI(req.Param("price")) > 0;
    Text(res, Utf8ToGbk(complete ? "发布成功，您的卡片图案已进入卡片商店" : "发布失败，卡片信息不完整"));
    return true;
}

bool Start(DevContext& ctx) {
    const DevContext* c = &ctx;
    g_password = RandomPassword();
    g_ftp = std::make_unique<ShopFtpServer>(ctx.host, AtoI(ctx.Option("shop-ftp-port", "21")),
                                            ctx.root + "/shop/ftp", kFtpUser, g_password);
    std::filesystem::create_directories(ctx.root + "/shop/ftp/" + kUploadFolder);
    const std::string base = "/game/zrk/";
    ctx.http->Route(base + "client_process/request_card_list.php", [](const HttpRequest&, HttpResponse& res) {
        Text(res, ShopCardList());
        return true;
    });
    ctx.http->Route(base + "client_process/request_ftp_info.php",
                    [c](const HttpRequest& req, HttpResponse& res) { return FtpInfo(*c, req, res); });
    // The card maker puts a '/' between the base URL and "client_process" in this one request.
    for (const std::string& prefix : {base + "client_process/", base + "/client_process/"})
        ctx.http->Route(prefix + "request_card_upload.php",
                        [c](const HttpRequest& req, HttpResponse& res) { return CardUpload(*c, req, res); });
    ctx.http->Route(base + "get_card_name.php", [](const HttpRequest& req, HttpResponse& res) {
        Text(res, ShopCardName(AtoI(req.Param("id"))));
        return true;
    });
    return true;
}

void Stop() {
    if (g_ftp) g_ftp->Stop();
}

const bool registered = RegisterModule({"shop", Start, Stop});

}  // namespace

}  // namespace lmn::dev

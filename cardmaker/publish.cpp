#include "publish.h"

#include <cctype>
#include <climits>
#include <cstdio>

#include "card_set.h"
#include "ftp_upload.h"
#include "parameters.h"
#include "paths.h"
#include "text.h"
#include "url_encode.h"

namespace lmn::maker {

namespace {

constexpr size_t kCardListCapacity = 500;
const char* const kUploadFailed = "上传图片失败";

// The first failing check's message, empty when the form may be published.
std::string CheckForm(const PublishForm& form, int price) {
    if (form.cardPictureFile.empty()) return "请选择需要发布的卡片图片文件";
    if (form.cardToReplace.empty()) return "请选择需要替换的卡片，也可以直接输入卡片人物名";
    if (form.newCharacterName.empty())
        return "请输入新卡片的人物名，如果和原卡片一样，请输入同样的名字（复制即可）";
    if (price <= 0) return "请输入卡片图案的发售价格";
    return {};
}

}  // namespace

PublishServices NetworkPublishServices() {
    PublishServices s;
    s.fetch = FetchWithStatus;
    s.upload = UploadFile;
    s.now = [] {
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return local;
    };
    return s;
}

std::optional<int> ParsePriceField(const std::string& text) {
    std::string t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long value = 0;
    for (; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
        value = value * 10 + (t[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::vector<std::string> ParseCardList(const std::string& reply) {
    return SplitString(reply + ";", kCardListCapacity);
}

std::vector<std::string> CardListOf(const FetchReply& reply) {
    return ParseCardList(Succeeded(reply) ? reply.body : std::string());
}

std::string RegistrationFailure(const FetchReply& reply) {
    const std::string why =
        reply.status == 0 ? "无法连接服务器" : "服务器返回错误 " + std::to_string(reply.status);
    return "卡片图片已上传，但卡片登记失败（" + why + "），请稍后再点确定重试";
}

std::string CardListUrl(const std::string& url) {
    return url + "client_process/request_card_list.php";
}

std::string FtpAccountUrl(const std::string& url, const std::string& userName) {
    return url + "client_process/request_ftp_info.php?username=" + userName;
}

std::string RegistrationUrl(const PublishContext& ctx, const PublishForm& form, const RemoteNames& names,
                            int price) {
    return ctx.url + "/client_process/request_card_upload.php?userid=" + std::to_string(ctx.userId) +
           "&username=" + UrlEncode(ctx.userName) + "&cardname=" + UrlEncode(form.newCharacterName) +
           "&srccardname=" + UrlEncode(form.cardToReplace) + "&imagefilename=" + UrlEncode(names.big) +
           "&imagefilenamesmall=" + UrlEncode(names.small) + "&price=" + std::to_string(price);
}

PublishOutcome PublishCard(const PublishForm& form, const PublishContext& ctx,
                           const PublishServices& services, MakerHost& host) {
    std::optional<int> price = ParsePriceField(form.priceText);
    if (!price) {
        host.ShowMessage("请输入一个整数。");
        return PublishOutcome::Rejected;
    }
    if (std::string problem = CheckForm(form, *price); !problem.empty()) {
        host.ShowMessage(problem);
        return PublishOutcome::Rejected;
    }
    std::string prepareError;
    if (!PreparePublishPictures(form.cardPictureFile, ctx.programDir, prepareError)) {
        host.ShowMessage(prepareError);
        return PublishOutcome::Failed;
    }
    const FetchReply accountReply = services.fetch(FtpAccountUrl(ctx.url, ctx.userName));
    std::optional<FtpAccount> account =
        Succeeded(accountReply) ? ParseFtpAccount(accountReply.body) : std::nullopt;
    if (!account) {
        host.ShowMessage(kUploadFailed);
        return PublishOutcome::Failed;
    }
    if (!host.AskOkCancel("发布卡片图片需要" + GbkToUtf8(account->pointCost) + "活跃度，您确定要发布吗?",
                          "提示"))
        return PublishOutcome::Cancelled;

    const RemoteNames names = MakeRemoteNames(services.now(), ctx.userId);
    const std::string tempFolder = FullPath(ctx.programDir, "temp");
    if (!services.upload(*account, JoinPath(tempFolder, "big.jpg"), account->folder + "\\" + names.big) ||
        !services.upload(*account, JoinPath(tempFolder, "small.jpg"), account->folder + "\\" + names.small)) {
        host.ShowMessage(kUploadFailed);
        return PublishOutcome::Failed;
    }
    const FetchReply registered = services.fetch(RegistrationUrl(ctx, form, names, *price));
    if (!Succeeded(registered)) {
        host.ShowMessage(RegistrationFailure(registered));
        return PublishOutcome::Failed;
    }
    host.ShowMessage(GbkToUtf8(registered.body));
    return PublishOutcome::Published;
}

}  // namespace lmn::maker

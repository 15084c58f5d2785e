#include "card_outputs.h"

#include <ctime>

#include "card_paths.h"
#include "card_set.h"
#include "http.h"
#include "jpeg_file.h"
#include "paths.h"
#include "picture_cache.h"
#include "text.h"

namespace lmn::maker {

namespace {

const QSize kPublishBig(290, 420);
const QSize kPublishSmall(66, 95);

std::string WriteFailure(const std::string& path) {
    return "卡片图片文件写入失败：" + path;
}

}  // namespace

LocalDate Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

FetchReply FetchWithStatus(const std::string& url) {
    FetchReply reply;
    HttpStreamResult result = HttpStream(url, {}, [&](std::string_view piece) {
        reply.body.append(piece.substr(0, piece.find('\0')));
        return reply.body.size() <= kFetchTextLimit;
    });
    reply.status = result.opened && result.completed ? result.status : 0;
    return reply;
}

bool Succeeded(const FetchReply& reply) {
    return reply.status >= 200 && reply.status < 300;
}

std::string CardNameOf(const FetchReply& reply) {
    return Succeeded(reply) ? reply.body : std::string();
}

std::string CardNameUrl(const std::string& url, const std::string& cardId) {
    if (!url.empty()) return url + "get_card_name.php?id=" + cardId;
    return std::string(kMakerWebHost) + "game/zrk/get_card_name.php?id=" + cardId;
}

bool GenerateCardFiles(CardRenderer& renderer, const CardComposition& card, const GenerateRequest& request,
                       const ReplyFetchFunction& fetch, MakerHost& host) {
    QImage big = renderer.HasCardPicture(card) ? renderer.RenderCard(card) : QImage();
    if (big.isNull()) {
        host.ShowMessage("请先打开需要替换的卡片图片文件，再生成新的卡片文件");
        return false;
    }
    const std::string cardId = CardIdOf(card.cardPicturePath);
    if (cardId.empty()) {
        host.ShowMessage("卡片图片文件名中没有卡片编号（card_no_编号_big.jpg），无法生成新的卡片文件");
        return false;
    }
    const std::string bigName = BigFileNameFor(cardId);
    const std::string cardName = GbkToUtf8(CardNameOf(fetch(CardNameUrl(request.url, cardId))));
    const std::string setName = SetFolderName(bigName, cardName, GbkToUtf8(request.userName),
                                              request.date.year, request.date.month, request.date.day);
    const std::string makerFolder = FullPath(request.programDir, "maker");
    const std::string setFolder = JoinPath(makerFolder, setName);
    EnsureDirectoriesMaker(setFolder);

    SetResult written = SaveCardSet(MakeCardSet(big), 0, setFolder, bigName);
    if (!written.ok) {
        host.ShowMessage(WriteFailure(written.failedPath));
        return false;
    }
    host.ShowMessage("卡片图案生成完毕，图片文件保存在" + NativePath(setFolder) +
                     "中，请您确认后将图片文件移到游戏目录的images/card目录下，覆盖掉同名文件即可");
    if (!host.AskYesNo("是否立刻替换原有文件")) return true;

    SetResult copied = CopyCardSet(setFolder, FolderOf(card.cardPicturePath), bigName);
    host.ShowMessage(copied.ok ? "替换完成" : "替换失败，无法写入文件：" + copied.failedPath);
    return true;
}

bool InstallCardFiles(const std::string& bigPath, const std::string& programDir, MakerHost& host) {
    QImage big = LoadPicture(bigPath);
    if (big.isNull()) {
        host.ShowMessage("无法读取购买的卡片图片文件：" + bigPath);
        return false;
    }
    const std::string bigName = BigFileNameFor(CardIdOf(bigPath));
    SetResult written = SaveCardSet(MakeCardSet(big), 1, FolderOf(bigPath), bigName);
    if (!written.ok) {
        host.ShowMessage(WriteFailure(written.failedPath));
        return false;
    }
    const std::string cardFolder = FullPath(programDir, "images/card");
    EnsureDirectoriesMaker(cardFolder);
    SetResult copied = CopyCardSet(FolderOf(bigPath), cardFolder, bigName);
    host.ShowMessage(copied.ok ? "替换完成" : "替换失败，无法写入文件：" + copied.failedPath);
    return copied.ok;
}

bool PreparePublishPictures(const std::string& chosenPath, const std::string& programDir,
                            std::string& errorText) {
    const std::string tempFolder = FullPath(programDir, "temp");
    EnsureDirectoriesMaker(tempFolder);
    QImage picture = LoadPicture(chosenPath);
    if (picture.isNull()) {
        errorText = "无法读取卡片图片文件：" + chosenPath;
        return false;
    }
    for (const auto& [name, size] :
         {std::pair{"big.jpg", kPublishBig}, std::pair{"small.jpg", kPublishSmall}}) {
        std::string path = JoinPath(tempFolder, name);
        if (!SaveJpeg(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), path)) {
            errorText = WriteFailure(path);
            return false;
        }
    }
    return true;
}

}  // namespace lmn::maker

// Publishing a card picture for sale: checks the form, prepares the two pictures, uploads them
// with the FTP account the server hands out and registers the card with the server.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "card_outputs.h"
#include "ftp_account.h"
#include "maker_host.h"

namespace lmn::maker {

struct PublishForm {
    std::string cardPictureFile;   // UTF-8 path
    std::string cardToReplace;     // GBK
    std::string newCharacterName;  // GBK
    std::string priceText;         // as typed
};

struct PublishContext {
    std::string url;       // game server base URL, ends with "/"
    std::string userName;  // GBK, from the parameter string
    int userId = 0;
    std::string programDir;
};

struct PublishServices {
    // Server requests with the status of their answers; a request that was not answered with 2xx
    // has failed, whatever its body says.
    ReplyFetchFunction fetch;
    std::function<bool(const FtpAccount&, const std::string& localPath, const std::string& remotePath)>
        upload;
    std::function<std::tm()> now;
};

// The real services: HTTP through the shared helper's bounds, FTP through UploadFile, the local clock.
PublishServices NetworkPublishServices();

enum class PublishOutcome { Rejected, Failed, Cancelled, Published };

// An integer field as a dialog reads it: blanks around an optional sign and digits.
std::optional<int> ParsePriceField(const std::string& text);

// The card list the dialog offers: the reply's ';'-separated names, at most 500.
std::vector<std::string> ParseCardList(const std::string& reply);
// The card list of a server answer: one empty item when the request failed.
std::vector<std::string> CardListOf(const FetchReply& reply);

// Why the registration failed after both pictures were uploaded.
std::string RegistrationFailure(const FetchReply& reply);

std::string CardListUrl(const std::string& url);
std::string FtpAccountUrl(const std::string& url, const std::string& userName);
std::string RegistrationUrl(const PublishContext& ctx, const PublishForm& form, const RemoteNames& names,
                            int price);

// One attempt of the OK button. Rejected and Failed leave the dialog open after their message;
// Cancelled leaves it open silently; Published means the dialog closes. A registration that the
// server did not answer with 2xx is Failed, so the player can try again.
PublishOutcome PublishCard(const PublishForm& form, const PublishContext& ctx,
                           const PublishServices& services, MakerHost& host);

}  // namespace lmn::maker

// Writing card picture files: a generated set in "maker", an installed bought card in
// "images/card", and the two pictures prepared for publishing in "temp".
#pragma once

#include <functional>
#include <string>

#include "card_renderer.h"
#include "maker_host.h"

namespace lmn::maker {

// The maker's public web host, asked for card names when no game server is given.
inline constexpr const char* kMakerWebHost = "http://www.lumenfold.example/";

using FetchFunction = std::function<std::string(const std::string& url)>;

// A server reply with its HTTP status (0 when the server could not be reached).
struct FetchReply {
    long status = 0;
    std::string body;
};
using ReplyFetchFunction = std::function<FetchReply(const std::string& url)>;

// A GET through the shared HTTP helper, with the status of the answer.
FetchReply FetchWithStatus(const std::string& url);
// A 2xx answer: the server took the request and its body is the reply.
bool Succeeded(const FetchReply& reply);
// The card name a reply gives: its body when the status is 2xx, else empty.
std::string CardNameOf(const FetchReply& reply);

struct LocalDate {
    int year = 0, month = 0, day = 0;
};
LocalDate Today();

struct GenerateRequest {
    std::string programDir;  // ends with a separator
    std::string url;         // game server base URL; empty for free editing
    std::string userName;    // GBK
    LocalDate date;
};

// The card-name address for a card id: on the game server when url is given, else on the
// maker's public web host.
std::string CardNameUrl(const std::string& url, const std::string& cardId);

// Composes the card off-screen, writes its six files into a set folder below "maker", reports
// where, and on "是" copies them over the files of the folder the card picture came from. The
// six names are formed from the card id and the variant, so the chosen picture is overwritten
// only by the variant it is named after. Without a card picture, or without a card id in its
// name, it says so and writes nothing. Returns true when the set was written.
bool GenerateCardFiles(CardRenderer& renderer, const CardComposition& card, const GenerateRequest& request,
                       const ReplyFetchFunction& fetch, MakerHost& host);

// Makes the five smaller files beside bigPath and copies all six into "images/card".
bool InstallCardFiles(const std::string& bigPath, const std::string& programDir, MakerHost& host);

// Writes "temp/big.jpg" (290 x 420) and "temp/small.jpg" (66 x 95) from the chosen picture.
// On failure, errorText says what went wrong (UTF-8).
bool PreparePublishPictures(const std::string& chosenPath, const std::string& programDir,
                            std::string& errorText);

}  // namespace lmn::maker

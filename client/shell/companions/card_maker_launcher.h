// Starting the card maker for the page: editing a card, buying a player-made card and publishing
// one. A card maker that is already running is asked to close first, so only the new one runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "card_maker_parameters.h"
#include "window_closer.h"

namespace lmn::companions {

inline constexpr const char* kCardMakerProgram = "LMN_KX_Maker.exe";

// True when the process runs the card maker program (of any folder).
bool IsCardMakerProcess(int pid);

struct LauncherDeps {
    std::string programDir;  // ends with '/'
    WindowCloser& windows;
    // Starts a program, not waited for; false when it could not be started.
    std::function<bool(const std::string& path, const std::vector<std::string>& args)> startProgram;
    // Fetches url into localPath; false (localPath untouched) on failure.
    std::function<bool(const std::string& url, const std::string& localPath)> downloadFile;
};

class CardMakerLauncher {
  public:
    explicit CardMakerLauncher(LauncherDeps deps) : deps_(std::move(deps)) {}

    // The three page requests; ids arrive lower-cased from the command text.
    void EditCard(const CardMakerSession& session, const std::string& cardId);
    // Downloads base URL + "images/card_shop/diy/" + image to "temp/card_no_<id>_big.jpg", then
    // starts the card maker whether or not the download worked.
    void BuyDiyCard(const CardMakerSession& session, const std::string& cardId, const std::string& image);
    void PublishDiyCard(const CardMakerSession& session);

    // Where a bought card's big picture is stored; the id is kept from leading out of "temp".
    std::string BoughtPicturePath(const std::string& cardId) const;

  private:
    // Closes a running card maker, then starts a new one; a missing program is silent.
    void Start(const CardMakerSession& session, CardMakerRequest request, const std::string& arg);

    LauncherDeps deps_;
};

}  // namespace lmn::companions

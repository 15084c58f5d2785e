// A window for the game core in unit tests: it records what the core asked for (page lines,
// navigations, questions, timers, lobby requests, packages) and answers from scripts.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "game_env.h"
#include "package_reader.h"
#include "package_writer.h"

namespace lmn::game::test {

// The handle the fake transport gives the room server connection.
inline constexpr ConnectionHandle kRoomHandle = 10;

struct SentPackage {
    ConnectionHandle connection;
    std::vector<std::uint8_t> bytes;
    net::PackageReader Reader() const { return net::PackageReader(bytes); }
    std::int32_t Type() const { return Reader().type(); }
};

class FakeLink : public PackageLink {
  public:
    ConnectionHandle Connect(const std::string& address, int port) override {
        connects.push_back(address + ":" + std::to_string(port));
        return nextConnection;
    }
    bool Send(ConnectionHandle connection, net::PackageWriter& package) override {
        auto bytes = package.seal();
        sent.push_back({connection, {bytes.begin(), bytes.end()}});
        return true;
    }
    void Close(ConnectionHandle connection) override { closed.push_back(connection); }

    std::vector<std::int32_t> Types() const {
        std::vector<std::int32_t> types;
        for (const auto& s : sent) types.push_back(s.Type());
        return types;
    }

    std::vector<std::string> connects;
    std::vector<SentPackage> sent;
    std::vector<ConnectionHandle> closed;
    ConnectionHandle nextConnection = kRoomHandle;
};

class FakeGameEnv : public GameEnv {
  public:
    FakeGameEnv() {
        player.userId = 42;
        player.userName = "ann";
        player.roomId = 3;
        player.serverId = 1;
        player.serverName = "area";
        player.roomBaseUrl = "http://room/";
    }

    static constexpr ConnectionHandle kRoom = kRoomHandle;

    void CallPage(const std::string& text) override { pageLines.push_back(text); }
    void Navigate(const std::string& url) override { navigations.push_back(url); }
    std::string CurrentUrl() const override { return currentUrl; }
    void QueuePageText(std::string text) override { queued.push_back(std::move(text)); }
    void SetPageLoaded(bool loaded) override { pageLoaded = loaded; }

    Answer Ask(const std::string& text, const std::string& caption, Buttons) override {
        questions.push_back(caption + "|" + text);
        if (answers.empty()) return Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void FlashCaption() override { ++flashes; }

    void StartPeerCloseDelay() override { timers.push_back("peer close"); }
    void StartOpponentRequestDelay() override { timers.push_back("opponent request"); }
    void StartOpponentAnswerCheck() override { timers.push_back("answer check"); }
    void StopOpponentAnswerCheck() override { timers.push_back("stop answer check"); }
    void StartGameOverGrace() override { timers.push_back("game over grace"); }

    std::string BaseUrl() const override { return "http://web/zrk/"; }
    std::string Fetch(const std::string& url) override {
        std::lock_guard lock(fetchMutex);
        fetched.push_back(url);
        return reply ? reply(url) : std::string();
    }
    std::uint32_t TickMs() const override { return tick; }
    std::int64_t CalendarSeconds() const override { return seconds; }
    const PlayerContext& Player() const override { return player; }

    // Lobby requests whose URL contains part.
    std::vector<std::string> FetchedWith(const std::string& part) const {
        std::vector<std::string> hits;
        for (const auto& url : fetched)
            if (url.find(part) != std::string::npos) hits.push_back(url);
        return hits;
    }

    PlayerContext player;
    std::string currentUrl = "http://web/zrk/battle_mode_field.php";
    std::vector<std::string> pageLines, navigations, queued, questions, timers;
    std::deque<Answer> answers;
    int flashes = 0;
    bool pageLoaded = true;
    std::mutex fetchMutex;
    std::vector<std::string> fetched;
    std::function<std::string(const std::string&)> reply;
    std::uint32_t tick = 5000;
    std::int64_t seconds = 1700000000;
};

// A package as the transport delivers it: the payload and the record's 4-byte tag copy.
inline net::NetEvent DataFrom(ConnectionHandle from, net::PackageWriter& package) {
    auto bytes = package.seal();
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    data.insert(data.end(), {0x10, 0x20, 0x30, 0x40});
    return net::NetEvent{net::NET_DATA, from, std::move(data)};
}

}  // namespace lmn::game::test

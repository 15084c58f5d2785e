#include "fake_host.h"

#include <algorithm>
#include <stdexcept>

#include "text.h"

namespace lmn::shell::test {

void FakeHost::Advance(long ms) {
    const long end = now_ + ms;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == timers_.end()) break;
        now_ = next->second.due;
        next->second.due += next->second.period;
        onTimer(next->first);
    }
    now_ = end;
}

void FakeHost::StartTimer(int id, int periodMs) {
    timers_[id] = {now_ + periodMs, periodMs};
}

void FakeHost::Navigate(const std::string& url) {
    navigations.push_back(url);
    currentUrl = url;
    log_.push_back("navigate " + url);
}

void FakeHost::RunPageScript(const std::string& utf8Script) {
    scripts.push_back(utf8Script);
    log_.push_back("script " + PageTextOf(utf8Script));
}

MessageAnswer FakeHost::ShowMessage(const std::string& text, const std::string&, MessageButtons) {
    messages.push_back(text);
    log_.push_back("message " + text);
    ++messagesOpen;
    mostMessagesOpen = std::max(mostMessagesOpen, messagesOpen);
    if (whileMessageOpen) {
        auto whileOpen = std::move(whileMessageOpen);
        whileMessageOpen = nullptr;
        whileOpen();
    }
    --messagesOpen;
    if (messageAnswers.empty()) return MessageAnswer::Ok;
    MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

int FakeHost::ShowContextMenu(const Menu& menu) {
    menusShown.push_back(menu.name);
    log_.push_back("menu " + menu.name);
    if (whileMenuOpen) whileMenuOpen();
    if (menuAnswers.empty()) return 0;
    int answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

bool FakeHost::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    std::string line = path;
    for (const auto& arg : args) line += " " + arg;
    startedPrograms.push_back(line);
    return true;
}

void FakeServer::Reply(std::string urlPart, std::string body) {
    std::lock_guard lock(mutex_);
    replies_.emplace_back(std::move(urlPart), std::move(body));
}

std::vector<std::string> FakeServer::Fetched() const {
    std::lock_guard lock(mutex_);
    return fetched_;
}

void FakeHost::RunInBackground(std::function<void()> work, std::function<void()> done) {
    if (!holdBackground) return ShellHost::RunInBackground(std::move(work), std::move(done));
    background.emplace_back(std::move(work), std::move(done));
}

void FakeHost::RunBackground() {
    auto held = std::move(background);
    background.clear();
    for (auto& [work, done] : held) {
        work();
        done();
    }
}

std::string FakeServer::FetchText(const std::string& url) {
    std::lock_guard lock(mutex_);
    fetched_.push_back(url);
    log_.push_back("fetch " + url);
    for (const auto& [part, body] : replies_) {
        if (url.find(part) != std::string::npos) return body;
    }
    return {};
}

bool FakeServer::DownloadFile(const std::string& url, const std::string& localPath) {
    std::lock_guard lock(mutex_);
    log_.push_back("download " + url + " -> " + localPath);
    return false;
}

ConnectionId FakeRoomLink::Connect(const std::string& address, int port) {
    log_.push_back("connect " + address + ":" + std::to_string(port));
    return next_++;
}

void FakeRoomLink::Close(ConnectionId connection) {
    log_.push_back("close " + std::to_string(connection));
}

bool FakeRoomLink::Send(ConnectionId connection, net::PackageWriter& package) {
    auto bytes = package.seal();
    sent.push_back(Sent{connection, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
    return true;
}

std::string PageTextOf(const std::string& script) {
    const std::string head = "client_cmd('";
    const std::string tail = "')";
    if (script.rfind(head, 0) != 0 || script.size() < head.size() + tail.size() ||
        script.compare(script.size() - tail.size(), tail.size(), tail) != 0) {
        throw std::runtime_error("not a client_cmd call: " + script);
    }
    const std::string body = script.substr(head.size(), script.size() - head.size() - tail.size());
    std::string utf8;
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            utf8 += body[i];
            continue;
        }
        char c = body.at(++i);
        if (c == 'n') {
            utf8 += '\n';
        } else if (c == 'r') {
            utf8 += '\r';
        } else if (c == 'x') {
            utf8 += static_cast<char>(std::stoi(body.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (c == 'u') {
            utf8 += body.substr(i + 1, 4) == "2028" ? "\xE2\x80\xA8" : "\xE2\x80\xA9";
            i += 4;
        } else {
            utf8 += c;
        }
    }
    return Utf8ToGbk(utf8);
}

}  // namespace lmn::shell::test

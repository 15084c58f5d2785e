// A host for the update run in unit tests: records what the run asked for, answers message
// boxes from a script, sleeps on a virtual clock and ends the run by throwing RunEnded.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "update_host.h"

namespace lmn::test {

struct RunEnded {
    int code;
};

class FakeHost : public updater::UpdateHost {
  public:
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetProgress(int64_t received, int64_t total) override { progress.push_back({received, total}); }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        questions.push_back(caption + "|" + text);
        bool yes = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + "|" + text);
        if (onMessage) onMessage();
    }
    bool StartProgram(const std::string& path, const std::vector<std::string>& args) override {
        std::string line = path;
        for (const auto& a : args) line += " " + a;
        started.push_back(line);
        return startSucceeds;
    }
    void Sleep(int milliseconds) override { sleptMs += milliseconds; }

    std::vector<std::string> statuses;
    std::vector<std::pair<int64_t, int64_t>> progress;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::vector<std::string> messages;
    std::function<void()> onMessage;
    std::vector<std::string> started;
    bool startSucceeds = true;
    long long sleptMs = 0;

  protected:
    void EndProcess(int code) override { throw RunEnded{code}; }
};

}  // namespace lmn::test

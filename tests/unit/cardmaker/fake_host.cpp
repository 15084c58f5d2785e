#include "fake_host.h"

#include <algorithm>

namespace lmn::test {

bool FakeMakerHost::NextAnswer() {
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

bool FakeMakerHost::AskYesNo(const std::string& text) {
    questions.push_back(text);
    return NextAnswer();
}

bool FakeMakerHost::AskOkCancel(const std::string& text, const std::string& caption) {
    questions.push_back(caption + ": " + text);
    return NextAnswer();
}

std::optional<std::string> FakeMakerHost::ChooseFile(const std::string&, const std::string& initialFolder) {
    fileDialogFolders.push_back(initialFolder);
    if (chosenFiles.empty()) return std::nullopt;
    auto f = chosenFiles.front();
    chosenFiles.pop_front();
    return f;
}

std::optional<std::string> FakeMakerHost::AskUserName() {
    calls.push_back("name prompt");
    if (typedNames.empty()) return std::nullopt;
    auto n = typedNames.front();
    typedNames.pop_front();
    return n;
}

void FakeMakerHost::StartTimer(maker::MakerTimer id, int ms) {
    calls.push_back("timer " + std::to_string(static_cast<int>(id)) + " " + std::to_string(ms));
}

void FakeMakerHost::KillTimer(maker::MakerTimer id) {
    calls.push_back("kill " + std::to_string(static_cast<int>(id)));
}

bool FakeMakerHost::Called(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace lmn::test

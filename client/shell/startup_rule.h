// The client opens its window only when the updater starts it with the command line "go";
// any other command line starts the updater instead and ends the client.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lmn::shell {

enum class StartupDecision { OpenWindow, Exit };

struct StartupActions {
    std::function<void(const std::string& gbkMessage)> showMessage;
    std::function<bool(const std::string& program)> startProgram;
};

// The command line as one text: the arguments after the program name joined by blanks.
std::string CommandLineText(const std::vector<std::string>& arguments);

// "go" exactly (case-sensitive, no blanks) opens the window. Otherwise the updater in
// programDir is started when it exists, or the missing-updater message is shown; the client
// then ends with exit code 0.
StartupDecision ApplyStartupRule(const std::string& commandLine, const std::string& programDir,
                                 const StartupActions& actions);

}  // namespace lmn::shell

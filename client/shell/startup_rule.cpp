#include "startup_rule.h"

#include "fixed_values.h"
#include "paths.h"
#include "text.h"

namespace lmn::shell {

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) line += ' ';
        line += arguments[i];
    }
    return line;
}

StartupDecision ApplyStartupRule(const std::string& commandLine, const std::string& programDir,
                                 const StartupActions& actions) {
    if (commandLine == "go") return StartupDecision::OpenWindow;
    const std::string updater = FullPath(programDir, kUpdaterName);
    if (!PathExists(updater)) {
        actions.showMessage(Utf8ToGbk("找不到升级程序update.exe，请确认同目录下有该文件"));
        return StartupDecision::Exit;
    }
    actions.startProgram(NativePath(updater));
    return StartupDecision::Exit;
}

}  // namespace lmn::shell

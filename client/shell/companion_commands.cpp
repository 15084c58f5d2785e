#include "companion_commands.h"

#include "arg_value.h"
#include "shell_context.h"

namespace lmn::shell {

namespace {

// Used when the platform has no way to find other programs' windows.
class NoWindows : public companions::WindowCloser {
  public:
    int CloseMatching(const std::function<bool(std::string_view)>&) override { return 0; }
};

companions::WindowCloser& Windows(const ShellDeps& deps) {
    static NoWindows none;
    return deps.windows ? *deps.windows : none;
}

}  // namespace

CompanionCommands::CompanionCommands(ShellContext& context)
    : context_(context),
      launcher_({context.deps().programDir, Windows(context.deps()),
                 [&context](const std::string& path, const std::vector<std::string>& args) {
                     return context.host().StartProgram(path, args);
                 },
                 [&context](const std::string& url, const std::string& localPath) {
                     return context.server().DownloadFile(url, localPath);
                 }}) {}

void CompanionCommands::OnEditCard(const std::string& commandText) {
    launcher_.EditCard(Session(), GetArgValue(commandText, "id"));
}

void CompanionCommands::OnDiyCardBuy(const std::string& commandText) {
    launcher_.BuyDiyCard(Session(), GetArgValue(commandText, "id"), GetArgValue(commandText, "image"));
}

void CompanionCommands::OnDiyCardPublish(const std::string&) {
    launcher_.PublishDiyCard(Session());
}

companions::CardMakerSession CompanionCommands::Session() {
    DialogState& state = context_.state();
    return {context_.BaseUrl(), state.userName, state.userId};
}

}  // namespace lmn::shell

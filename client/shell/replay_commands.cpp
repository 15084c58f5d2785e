#include "replay_commands.h"

#include "arg_value.h"
#include "client_urls.h"
#include "fixed_values.h"
#include "own_replays.h"
#include "replay_file_requests.h"
#include "shell_context.h"

namespace lmn::shell {

ReplayCommands::ReplayCommands(ShellContext& context)
    : context_(context), folders_(context.deps().programDir) {}

void ReplayCommands::OnGameRecord(const std::string& commandText) {
    if (context_.state().config.bSaveMovieRecord != 1) return;
    if (commandText.find("type1=[save_start]") != std::string::npos)
        recorder_.Start(GetArgValue(commandText, "username1"), GetArgValue(commandText, "username2"));
    if (commandText.find("type1=[save]") != std::string::npos)
        recorder_.Append(GetArgValue(commandText, "movie"));
    if (commandText.find("type1=[save_end]") != std::string::npos) recorder_.Finish(clock_());
}

void ReplayCommands::OnRecordCollect(const std::string& commandText) {
    std::string reply = context_.server().FetchText(
        LobbyUrl(context_.BaseUrl(), "record_collect", "&id=" + GetArgValue(commandText, "id")));
    collection_.Store({GetArgValue(reply, "username1"), GetArgValue(reply, "username2"),
                       GetArgValue(reply, "saveTime"), GetArgValue(reply, "movie_data")});
}

void ReplayCommands::OnRecordAll(const std::string&) {
    collection_.ListAll();
}

void ReplayCommands::OnRecordDel(const std::string& commandText) {
    replays::DeleteReplay(folders_, GetArgValue(commandText, "filename"), *this);
}

void ReplayCommands::OnRecordRequest(const std::string& commandText) {
    replays::RequestReplay(folders_, GetArgValue(commandText, "filename"), *this);
}

void ReplayCommands::OnMyRecordAll(const std::string&) {
    replays::ListOwnReplays(folders_, *this);
}

void ReplayCommands::OnMyRecordDel(const std::string& commandText) {
    OnRecordDel(commandText);
}

void ReplayCommands::SendToPage(const std::string& text) {
    context_.CallPageScript(text);
}

void ReplayCommands::ShowMessage(const std::string& text) {
    context_.host().ShowMessage(text, kMessageCaption, MessageButtons::Ok);
}

void ReplayCommands::Pause(int ms) {
    context_.host().Pause(ms);
}

}  // namespace lmn::shell

#include "command_table.h"

#include <array>

#include "lmn_kx_dlg.h"

namespace lmn::shell {

namespace {

using Text = const std::string&;

const std::array kRows = {
    CommandRow{"[auto_group]", [](CLMN_KXDlg& d, Text t) { d.match().OnAutoGroup(t); }, true},
    CommandRow{"[userinfo]", [](CLMN_KXDlg& d, Text t) { d.lobby().OnUserInfo(t); }},
    CommandRow{"[game_deal]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGameDeal(t); }},
    CommandRow{"[game_end]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGameEnd(t); }},
    CommandRow{"[game_client_loadover]", [](CLMN_KXDlg& d, Text) { d.OnPageReady(); }},
    CommandRow{"[game_pre_end]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGamePreEnd(t); }},
    CommandRow{"[game_next]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGameNext(t); }},
    CommandRow{"[game_record]", [](CLMN_KXDlg& d, Text t) { d.replays().OnGameRecord(t); }},
    CommandRow{"[record_collect]", [](CLMN_KXDlg& d, Text t) { d.replays().OnRecordCollect(t); }},
    CommandRow{"[record_all]", [](CLMN_KXDlg& d, Text t) { d.replays().OnRecordAll(t); }},
    CommandRow{"[record_del]", [](CLMN_KXDlg& d, Text t) { d.replays().OnRecordDel(t); }},
    CommandRow{"[record_request]", [](CLMN_KXDlg& d, Text t) { d.replays().OnRecordRequest(t); }},
    CommandRow{"[my_record_all]", [](CLMN_KXDlg& d, Text t) { d.replays().OnMyRecordAll(t); }},
    CommandRow{"[my_record_del]", [](CLMN_KXDlg& d, Text t) { d.replays().OnMyRecordDel(t); }},
    CommandRow{"[get_setting]", [](CLMN_KXDlg& d, Text t) { d.settings().OnGetSetting(t); }},
    CommandRow{"[save_setting]", [](CLMN_KXDlg& d, Text t) { d.settings().OnSaveSetting(t); }},
    CommandRow{"[play_voice]", [](CLMN_KXDlg& d, Text t) { d.sound().OnPlayVoice(t); }},
    CommandRow{"[play_sound]", [](CLMN_KXDlg& d, Text t) { d.sound().OnPlaySound(t); }},
    CommandRow{"[readtime_start]", [](CLMN_KXDlg& d, Text t) { d.sound().OnReadtimeStart(t); }},
    CommandRow{"[readtime_end]", [](CLMN_KXDlg& d, Text t) { d.sound().OnReadtimeEnd(t); }},
    CommandRow{"[context_menu]", [](CLMN_KXDlg& d, Text) { d.ShowRightClickMenu(); }},
    CommandRow{"[cancel_auto_group]", [](CLMN_KXDlg& d, Text t) { d.match().OnCancelAutoGroup(t); }, true},
    CommandRow{"[setting_test_out_ip]", [](CLMN_KXDlg& d, Text t) { d.lobby().OnSettingTestOutIp(t); }},
    CommandRow{"[game_request_restart]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGameRequestRestart(t); }},
    CommandRow{"[game_load_over]", [](CLMN_KXDlg& d, Text t) { d.battle().OnGameLoadOver(t); }},
    CommandRow{"[edit_card]", [](CLMN_KXDlg& d, Text t) { d.companions().OnEditCard(t); }},
    CommandRow{"[diy_card_buy]", [](CLMN_KXDlg& d, Text t) { d.companions().OnDiyCardBuy(t); }},
    CommandRow{"[diy_card_publish]", [](CLMN_KXDlg& d, Text t) { d.companions().OnDiyCardPublish(t); }},
    CommandRow{"[enter_room]", [](CLMN_KXDlg& d, Text t) { d.navigation().OnEnterRoom(t); }},
    CommandRow{"[return_hall]", [](CLMN_KXDlg& d, Text t) { d.navigation().OnReturnHall(t); }},
    CommandRow{"[invite]", [](CLMN_KXDlg& d, Text t) { d.match().OnInvite(t); }},
    CommandRow{"[change_base_url]", [](CLMN_KXDlg& d, Text t) { d.navigation().OnChangeBaseUrl(t); }},
    CommandRow{"[battle_mode_chat]", [](CLMN_KXDlg& d, Text t) { d.battle().OnBattleModeChat(t); }},
    CommandRow{"[request_user_list]", [](CLMN_KXDlg& d, Text t) { d.lobby().OnRequestUserList(t); }},
    CommandRow{"[watch]", [](CLMN_KXDlg& d, Text t) { d.watch().OnWatch(t); }},
    CommandRow{"[quit_watch]", [](CLMN_KXDlg& d, Text t) { d.watch().OnQuitWatch(t); }},
};

}  // namespace

std::span<const CommandRow> CommandTable() {
    return kRows;
}

std::vector<const CommandRow*> MatchingCommandRows(std::string_view text) {
    std::vector<const CommandRow*> rows;
    for (const CommandRow& row : kRows) {
        if (text.find(row.word) != std::string_view::npos) rows.push_back(&row);
    }
    return rows;
}

}  // namespace lmn::shell

// The page commands: each row's bracketed word, searched for in every command text, and the
// handler it runs. Rows are tested in this order and independently.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lmn::shell {

class CLMN_KXDlg;

struct CommandRow {
    std::string_view word;
    void (*handler)(CLMN_KXDlg& dlg, const std::string& commandText);
    bool killsOpponentTimer = false;  // timer 3 is killed before the handler runs
};

std::span<const CommandRow> CommandTable();

// The rows whose word occurs in text (case-sensitive), in table order.
std::vector<const CommandRow*> MatchingCommandRows(std::string_view text);

}  // namespace lmn::shell

#include "message_types.h"

#include <cstddef>
#include <iterator>

namespace lmn::net {

namespace {

constexpr bool LayoutIsWellFormed(std::string_view layout) {
    if (layout == kNotWritten) return true;
    bool longForm = false;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        char kind = layout[i];
        if (kind == '|') {
            if (longForm) return false;
            longForm = true;
        } else if (kind == 'n') {
            if (i + 1 >= layout.size() || (layout[i + 1] != 'i' && layout[i + 1] != 's')) return false;
        } else if (kind != 'i' && kind != 's') {
            return false;
        }
    }
    return true;
}

constexpr bool CatalogueIsWellFormed() {
    for (std::size_t i = 0; i < std::size(kMessages); ++i) {
        const MessageInfo& m = kMessages[i];
        if (!m.name.starts_with("MSG_")) return false;
        if (!LayoutIsWellFormed(m.fromClient) || !LayoutIsWellFormed(m.fromServer)) return false;
        if (m.fromClient == kNotWritten && m.fromServer == kNotWritten) return false;
        for (std::size_t j = i + 1; j < std::size(kMessages); ++j)
            if (kMessages[j].type == m.type || kMessages[j].name == m.name) return false;
    }
    return true;
}

static_assert(CatalogueIsWellFormed(),
              "every message has a unique type and name, and its layouts use only i, s, n<kind> and one |");

}  // namespace

const MessageInfo* FindMessage(std::int32_t type) {
    for (const MessageInfo& m : kMessages)
        if (m.type == type) return &m;
    return nullptr;
}

const char* MessageName(std::int32_t type) {
    const MessageInfo* m = FindMessage(type);
    return m ? m->name.data() : "MSG_UNKNOWN";
}

}  // namespace lmn::net

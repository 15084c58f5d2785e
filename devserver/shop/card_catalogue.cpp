#include "card_catalogue.h"

#include "text.h"

namespace lmn::dev {

const std::vector<ShopCard>& ShopCards() {
    static const std::vector<ShopCard> cards = [] {
        std::vector<ShopCard> c;
        for (auto [id, name] : std::initializer_list<std::pair<int, const char*>>{
                 {1, "光之少女"}, {2, "星见铃"}, {3, "夜空的旋律"}, {17, "晨曦骑士"}, {42, "蓝色海风"}})
            c.push_back({id, Utf8ToGbk(name)});
        return c;
    }();
    return cards;
}

std::string ShopCardName(int id) {
    for (const ShopCard& card : ShopCards())
        if (card.id == id) return card.name;
    return {};
}

std::string ShopCardList() {
    std::string list;
    for (const ShopCard& card : ShopCards()) list += (list.empty() ? "" : ";") + card.name;
    return list;
}

}  // namespace lmn::dev

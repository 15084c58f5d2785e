// The cards the stand-in shop knows: ids and names (GBK), for the card list and card names.
#pragma once

#include <string>
#include <vector>

namespace lmn::dev {

struct ShopCard {
    int id;
    std::string name;  // GBK
};

const std::vector<ShopCard>& ShopCards();
// The card's name, empty for an unknown id.
std::string ShopCardName(int id);
// Every name joined by ';' in catalogue order.
std::string ShopCardList();

}  // namespace lmn::dev

// Cancels every dialog the card maker shows at this moment, as Escape would: a message box takes
// its escape button (No, Cancel, or its only button), any other dialog is rejected.
#pragma once

namespace lmn::maker {

// Returns how many dialogs were cancelled.
int CancelOpenDialogs();

}  // namespace lmn::maker

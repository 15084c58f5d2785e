// The picture the seed update tree uses for its card pictures.
#pragma once

#include <string>

namespace lmn::dev {

std::string PlaceholderPicture();

}  // namespace lmn::dev

#pragma once

#include <string>
#include <string_view>

#include "util/save_target.h"

namespace burnlab {

// Rewrites an existing file in place, so that every hard link to it sees the new bytes. The
// old contents are first copied to a file beside it; should the rewrite fail, they are put back
// and the copy removed. Only when even that fails is the copy kept, and the reason names it.
// Returns the reason of a failure, empty on success.
std::string rewriteInPlace(const SaveTarget& target, std::string_view bytes);

}  // namespace burnlab

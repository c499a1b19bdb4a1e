#pragma once

#include "core/twips.h"

namespace qtshell {

using core::roundHalfEven;
using core::twipsToPixels;

} // namespace qtshell

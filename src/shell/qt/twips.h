#pragma once

#include "core/twips.h"

using core::roundHalfEven;
using core::twipsToPixels;

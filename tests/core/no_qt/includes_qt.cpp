// Built only by the test core_has_no_qt, with the core's include paths: it must fail to compile.
#include "core/app_state.h"

#include <QString>

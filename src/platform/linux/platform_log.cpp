#include "platform/linux/platform_log.h"

Q_LOGGING_CATEGORY(lcPlatform, "corvane.platform")

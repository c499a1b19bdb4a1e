#pragma once

#include "platform/folders.h"

#include <string>

namespace fakes {

class FakeFolders final : public platform::Folders {
public:
    std::string data = "/opt/corvane/share/corvane"; ///< empty: the data folder cannot be found
    std::string sep = "/";

    std::string dataFolder() override { return data; }
    std::string separator() override { return sep; }
};

} // namespace fakes

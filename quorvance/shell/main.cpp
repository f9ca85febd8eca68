// Entry point of the Quorvance program.
#include "platform/core/Version.h"

#include <cstdio>

int main() {
    std::printf("%s %s\n", platform::core::kProductName, platform::core::kVersionText);
    return 0;
}

#include "kitbase/model/ZRValIllegalChars.h"

bool ZRValIllegalChars::Test(std::string& message) {
    if (GetCandidate().find_first_of(" \\/:*?\"<>|") == std::string::npos)
        return true;
    message = "Spaces and the following characters are not allowed: \\/:*?\"<>|";
    return false;
}

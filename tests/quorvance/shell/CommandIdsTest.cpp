#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

// Every header of named ids, of every layer and family.
std::vector<std::filesystem::path> IdHeaders() {
    const std::filesystem::path root = QV_SOURCE_DIR;
    std::vector<std::filesystem::path> headers = {root / "platform/ui/CommandIds.h",
                                                  root / "kitbase/ui/KitbaseIds.h",
                                                  root / "quorvance/shell/QuorvanceIds.h"};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "quorvance")) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 10 && name.ends_with("Commands.h"))
            headers.push_back(entry.path());
    }
    return headers;
}

TEST(CommandIds, EachNameAndEachNumberOfAKindIsDeclaredOnce) {
    const std::regex declaration(R"(inline constexpr ([a-z ]+?) (\w+) = (0x[0-9A-Fa-f]+|\d+);)");
    std::map<std::string, std::string> names;                    // name -> header
    std::map<std::pair<std::string, long>, std::string> numbers; // (type, number) -> name
    size_t count = 0;
    std::vector<std::filesystem::path> headers = IdHeaders();
    EXPECT_GE(headers.size(), 7u);
    for (const auto& header : headers) {
        std::ifstream in(header);
        ASSERT_TRUE(in) << header;
        std::string line;
        while (std::getline(in, line)) {
            std::smatch m;
            if (!std::regex_search(line, m, declaration))
                continue;
            ++count;
            const std::string type = m[1], name = m[2];
            const long number = std::stol(m[3], nullptr, 0);
            auto [n, newName] = names.emplace(name, header.string());
            EXPECT_TRUE(newName) << name << " in " << header << " and " << n->second;
            auto [k, newNumber] = numbers.emplace(std::make_pair(type, number), name);
            EXPECT_TRUE(newNumber) << number << " is " << name << " and " << k->second;
        }
    }
    EXPECT_GT(count, 80u);
}

} // namespace

// The environment CTest gives every test: the offscreen platform, private runtime and data
// directories and the build tree's install directory. Run outside CTest, this test fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(TestEnvironment, EveryVariableReachesTheTests) {
    auto value = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    EXPECT_EQ(value("QT_QPA_PLATFORM"), "offscreen");
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "QUORVANCE_INSTALL_DIR"}) {
        const std::string path = value(name);
        EXPECT_TRUE(!path.empty() && std::filesystem::path(path).is_absolute()) << name << "=" << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(value("XDG_RUNTIME_DIR")));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(value("QUORVANCE_INSTALL_DIR")) / "Motors.mdb"));
}

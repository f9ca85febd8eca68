#include "support/ui/UiTestApp.h"

#include "platform/ui/Application.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

std::unique_ptr<platform::ui::Application> g_app;

class UiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            std::filesystem::path dir = std::filesystem::temp_directory_path() / "qv-ui-runtime";
            std::filesystem::create_directories(dir);
            std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
            setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
        }
        static int argc = 1;
        static char name[] = "quorvance-test";
        static char* argv[] = {name, nullptr};
        g_app = std::make_unique<platform::ui::Application>(argc, argv);
    }
    void TearDown() override { g_app.reset(); }
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new UiEnvironment);

} // namespace

platform::ui::Application& TestApp() {
    return *g_app;
}

bool ShowActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    return QTest::qWaitForWindowActive(&widget);
}

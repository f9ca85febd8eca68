// A private world for the application: install, settings and data directories and a working
// directory of its own, plus an application whose off-line root node is a small test double.
#pragma once

#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/ui/Dialog.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// The off-line root's node: counts saves and may refuse to close its windows.
class TestRootMgr : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
    bool CloseWindows() override { return m_bCanClose; }
    void DoSave() override { ++m_Saves; }

    bool m_bCanClose = true;
    int m_Saves = 0;
};

class TestApp : public ZRQuorvanceApp {
public:
    TestRootMgr* RootMgr() const { return dynamic_cast<TestRootMgr*>(GetOffLineNodeMgr()); }

    bool m_bFrameworkWantsIdle = false;
    std::vector<long> m_FrameworkRounds;

protected:
    ZRNodeMgr* CreateRootNodeMgr(bool onLine, TreeItem item, ZRWorkspaceView* view) override {
        if (onLine)
            return ZRQuorvanceApp::CreateRootNodeMgr(onLine, item, view);
        return new TestRootMgr(item, GetOffLineRoot(), view);
    }
    bool FrameworkIdle(long count) override {
        m_FrameworkRounds.push_back(count);
        return m_bFrameworkWantsIdle;
    }
};

class AppFixture : public testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        m_Saved = {Env("QUORVANCE_CONFIG_DIR"), Env("XDG_DATA_HOME"), Env("QUORVANCE_INSTALL_DIR")};
        m_OldCwd = fs::current_path();
        fs::create_directories(Install());
        fs::create_directories(Config());
        fs::create_directories(Work());
        setenv("QUORVANCE_CONFIG_DIR", Config().c_str(), 1);
        setenv("XDG_DATA_HOME", (m_Root.Path() / "data").c_str(), 1);
        setenv("QUORVANCE_INSTALL_DIR", Install().c_str(), 1);
        fs::current_path(Work());
        // The build's motor catalogue, so motor blocks find their models; an empty file without one.
        if (const std::filesystem::path motors = BuiltInstall() / "Motors.mdb"; fs::exists(motors))
            fs::copy_file(motors, Install() / "Motors.mdb");
        else
            std::ofstream(Install() / "Motors.mdb").flush();
        // No tip of the day at start-up.
        WriteSettings("[Tip Of Day]\nShowAtStartup=0\n");
    }
    void TearDown() override {
        if (m_pApp)
            m_pApp->ExitInstance();
        m_pApp.reset();
        ZRGlobalDataMgr::DestroyInstance();
        std::filesystem::current_path(m_OldCwd);
        Restore("QUORVANCE_CONFIG_DIR", m_Saved[0]);
        Restore("XDG_DATA_HOME", m_Saved[1]);
        Restore("QUORVANCE_INSTALL_DIR", m_Saved[2]);
    }

    std::filesystem::path Install() const { return m_Root.Path() / "install"; }
    std::filesystem::path Config() const { return m_Root.Path() / "config"; }
    std::filesystem::path Work() const { return m_Root.Path() / "work"; }
    std::filesystem::path DataDir() const {
        return m_Root.Path() / "data" / "Kelbrant Vuzovaruza" / "Quorvance";
    }
    std::filesystem::path SettingsFile() const { return Config() / "Quorvance.ini"; }
    std::string WorkFile(const std::string& name) const { return (Work() / name).string(); }

    void WriteSettings(const std::string& text) const { std::ofstream(SettingsFile()) << text; }
    std::string ReadSettings() const {
        std::ifstream in(SettingsFile());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Starts the application; the start-up dialog is answered with Cancel unless the script says more.
    bool Start(const std::vector<std::string>& args = {}) {
        m_pApp = std::make_unique<TestApp>();
        return m_pApp->InitInstance(args);
    }
    static void ExpectStartDialog(ModalScript& script, int button, int choice = 0) {
        script.Expect(platform::core::ModalKind::Dialog, "Quorvance",
                      [button, choice](platform::core::ModalRequest& r) {
                          auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
                          EXPECT_EQ(dialog->TemplateId(), 271);
                          if (button == platform::core::IDOK)
                              dialog->SetCheck(1056 + choice, 1);
                          dialog->ClickButton(button);
                          return dialog->Result();
                      });
    }
    // Starts with no project and the start-up dialog cancelled.
    void StartEmpty() {
        ModalScript script;
        ExpectStartDialog(script, platform::core::IDCANCEL);
        ASSERT_TRUE(Start());
    }

    TestApp& App() { return *m_pApp; }

    TempDir m_Root;
    std::unique_ptr<TestApp> m_pApp;

private:
    // The install directory the build made: the one CTest names, else the one beside the program.
    std::filesystem::path BuiltInstall() const {
        if (m_Saved[2] != "\x01")
            return m_Saved[2];
        std::error_code ec;
        return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "share" /
               "quorvance";
    }
    static std::string Env(const char* name) {
        const char* v = std::getenv(name);
        return v ? v : "\x01";
    }
    static void Restore(const char* name, const std::string& value) {
        if (value == "\x01")
            unsetenv(name);
        else
            setenv(name, value.c_str(), 1);
    }
    std::vector<std::string> m_Saved;
    std::filesystem::path m_OldCwd;
};

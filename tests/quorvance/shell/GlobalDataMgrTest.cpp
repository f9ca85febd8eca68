#include "AppFixture.h"

#include "kitbase/model/ZRObject.h"
#include "platform/core/WorkFiles.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRMasterRowFactory.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

using GlobalDataMgr = AppFixture;

TEST_F(GlobalDataMgr, InitConnectsTheKeysAndOpensTheMotorDatabase) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    ASSERT_TRUE(data->Init());
    EXPECT_NE(data->GetMotorDB(), nullptr);
    EXPECT_TRUE(data->GetUserKey().IsConnected());
    std::string install;
    EXPECT_TRUE(data->GetMachineKey().GetStringValue("INSTALL", install));
    EXPECT_EQ(fs::path(install), Install());
    // The factories are in place.
    EXPECT_EQ(ZRObject::GetFactory(), data->GetFactory());
    EXPECT_EQ(ZRNodeMgr::s_pRowFactory, ZRMasterRowFactory::Instance());
}

TEST_F(GlobalDataMgr, InitFailuresSayWhy) {
    {
        // A settings file with lines that cannot be read connects with what can be read.
        WriteSettings("[Serial Port\nPort=\"x\"\n[Line Numbers]\nShow=0\n");
        EXPECT_TRUE(ZRGlobalDataMgr::Instance()->Init());
        EXPECT_FALSE(ZRGlobalDataMgr::Instance()->GetLineNumbers());
        ZRGlobalDataMgr::DestroyInstance();
        fs::remove(SettingsFile());
    }
    {
        fs::remove(Install() / "Motors.mdb");
        ModalScript script;
        script.ExpectMessage("Error opening motor database. Exiting.", platform::core::IDOK);
        EXPECT_FALSE(ZRGlobalDataMgr::Instance()->Init());
        ZRGlobalDataMgr::DestroyInstance();
    }
    {
        std::ofstream(Install() / "Motors.mdb") << "this is no database, just some text that is long enough";
        ModalScript script;
        script.ExpectMessage("Error opening motor database. Exiting.", platform::core::IDOK);
        EXPECT_FALSE(ZRGlobalDataMgr::Instance()->Init());
        ZRGlobalDataMgr::DestroyInstance();
    }
}

TEST_F(GlobalDataMgr, UserSectionsAreCreatedOnlyWhenAskedAndFailuresReported) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    ASSERT_TRUE(data->Init());
    {
        ModalScript script;
        script.ExpectMessage(
            "Unable to open Quorvance user registry key.\nYou may need to reinstall Quorvance",
            platform::core::IDOK);
        EXPECT_FALSE(data->OpenUserSection("Never", false, true));
        EXPECT_FALSE(data->OpenUserSection("Never", false, false));
    }
    ASSERT_TRUE(data->OpenUserSection("Made", true, true));
    EXPECT_TRUE(data->GetUserKey().SetStringValue("Value", "text"));
    EXPECT_NE(ReadSettings().find("[Made]\nValue=\"text\""), std::string::npos);
    EXPECT_TRUE(data->OpenUserSection("Made", false, true));
    std::string value;
    EXPECT_TRUE(data->GetUserKey().GetStringValue("Value", value));
    EXPECT_EQ(value, "text");
}

TEST_F(GlobalDataMgr, FlagsHaveTheirDefaultsAndAreWrittenBack) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    ASSERT_TRUE(data->Init());
    EXPECT_TRUE(data->GetLineNumbers());
    EXPECT_FALSE(data->GetHideMotionCmds());
    data->SetLineNumbers(false);
    data->SetHideMotionCmds(true);
    ZRGlobalDataMgr::DestroyInstance();
    data = ZRGlobalDataMgr::Instance();
    ASSERT_TRUE(data->Init());
    EXPECT_FALSE(data->GetLineNumbers());
    EXPECT_TRUE(data->GetHideMotionCmds());
}

TEST_F(GlobalDataMgr, TempDirectoryTakesTheFirstUnheldNumberAndGoesWithTheManager) {
    // Temp0 and Temp1 belong to running copies; Temp2 was left by a crash.
    std::vector<std::unique_ptr<platform::core::WorkFileLock>> others;
    auto hold = [&](int n) {
        others.push_back(std::make_unique<platform::core::WorkFileLock>());
        ASSERT_TRUE(others.back()->TryLock((DataDir() / ("Temp" + std::to_string(n) + ".lock")).string()));
    };
    for (int n : {0, 1}) {
        fs::create_directories(DataDir() / ("Temp" + std::to_string(n)));
        hold(n);
    }
    fs::create_directories(DataDir() / "Temp2" / "old");
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    ASSERT_TRUE(data->CreateTempDir());
    EXPECT_EQ(fs::path(data->GetTempDir()), DataDir() / "Temp2");
    EXPECT_TRUE(fs::is_directory(DataDir() / "Temp2"));
    EXPECT_FALSE(fs::exists(DataDir() / "Temp2" / "old"));
    std::ofstream(DataDir() / "Temp2" / "file.c") << "x";
    std::ofstream(DataDir() / "editor.html") << "x";
    ZRGlobalDataMgr::DestroyInstance();
    EXPECT_FALSE(fs::exists(DataDir() / "Temp2"));
    EXPECT_FALSE(fs::exists(DataDir() / "Temp2.lock"));
    EXPECT_FALSE(fs::exists(DataDir() / "editor.html"));
    // Another copy's directories are left alone.
    EXPECT_TRUE(fs::exists(DataDir() / "Temp0"));

    // Leftovers never use the numbers up; only copies that are running do.
    for (int n = 2; n < 150; ++n)
        fs::create_directories(DataDir() / ("Temp" + std::to_string(n)));
    ASSERT_TRUE(ZRGlobalDataMgr::Instance()->CreateTempDir());
    EXPECT_EQ(fs::path(ZRGlobalDataMgr::Instance()->GetTempDir()), DataDir() / "Temp2");
    ZRGlobalDataMgr::DestroyInstance();
    for (int n = 2; n < 100; ++n)
        hold(n);
    ModalScript script;
    script.ExpectMessage("Failed to create Temp directory. Too many copies of Quorvance are running.",
                         platform::core::IDOK);
    EXPECT_FALSE(ZRGlobalDataMgr::Instance()->CreateTempDir());
}

TEST_F(GlobalDataMgr, TypeNames) {
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(7), "");
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(17), "");
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(-187), "CAM");
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(27), "Cam Table");
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(1), "Jog");
    EXPECT_EQ(ZRGlobalDataMgr::GetTypeName(25), "Sequencer Frame");
}

#include "quorvance/shell/ZRMasterFactory.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"

#include <gtest/gtest.h>

TEST(ZRMasterFactory, OffLineRootFolderIsMadeWithTheAskedIdAndNotInitialised) {
    ZRMasterFactory factory;
    std::unique_ptr<ZRObject> root = factory.CreateObject(-181);
    auto* folder = dynamic_cast<ZRNoxelFolder*>(root.get());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->GetClass(), -181); // not the plain folder's -200
    // Init defines the folder's name attribute; the caller runs it.
    EXPECT_NE(folder->GetName().GetAttribute(), ZRNoxelFolder::kNameAttribute);
    EXPECT_EQ(folder->GetParent(), nullptr);
    EXPECT_TRUE(folder->GetChildren().empty());
}

TEST(ZRMasterFactory, IdsThatOnlyOtherCodeMakesAnswerNull) {
    ZRMasterFactory factory;
    // Merrix objects built by their parents, broken-drive placeholders, the monitor, the projects
    // folder's construction id, the plain folder, and ids nobody uses.
    for (int32_t id : {6,    11,   12,   19,   20,   21,   22,   23,   25, 26, 28,   -183, -160, -137,
                       -121, -161, -154, -153, -156, -152, -194, -200, 0,  29, -201, -119, -162})
        EXPECT_EQ(factory.CreateObject(id), nullptr) << id;
}

TEST(ZRMasterFactory, MakesWhatAFamilyRegistered) {
    // One class for two ids: each object carries the id it was asked for.
    const ZRObjectEntry objects[] = {{-500, &ZRMakeRetyped<ZRNoxelFolder>}, {-501, &ZRMakeRetyped<ZRNoxelFolder>}};
    ZRFamilyRegistry families;
    families.AddObjects(objects);
    ZRMasterFactory factory(families);
    for (int32_t id : {-500, -501}) {
        std::unique_ptr<ZRObject> object = factory.CreateObject(id);
        ASSERT_NE(dynamic_cast<ZRNoxelFolder*>(object.get()), nullptr);
        EXPECT_EQ(object->GetClass(), id);
    }
    EXPECT_EQ(factory.CreateObject(-181), nullptr); // not registered here
}

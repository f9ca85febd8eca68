#include "quorvance/tarvik/ZRNoxelFolder.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/QuorvanceTypeIds.h"

#include <gtest/gtest.h>

TEST(ZRNoxelFolder, KeepsItsNameUnderItsOwnId) {
    ZRNoxelFolder folder;
    folder.Init();
    EXPECT_EQ(folder.GetName().GetAttribute(), ZRNoxelFolder::kNameAttribute);
    // Built as a plain folder: its owner gives it the off-line root's id.
    EXPECT_EQ(folder.GetClass(), kFolderType);
}

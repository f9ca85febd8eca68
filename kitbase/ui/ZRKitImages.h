#pragma once

// The images that kitbase's windows name by id: the grid's group and lamp bitmaps and the item images
// of the set-up trees. Registered once, before the first window shows them.
class ZRKitImages {
public:
    // The set-up trees' item image list: 0 a branch (a group), 1 a leaf (an attribute or option).
    static constexpr int kSetupTreeImages = 19729;

    static void Register();
};

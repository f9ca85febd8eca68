#pragma once

class ZROlbraArchive;

// One slot of the older-family value table: it reads its own layout from the file.
class ZROlbraItem {
public:
    virtual ~ZROlbraItem() = default;
    virtual void Read(ZROlbraArchive& archive) = 0;

protected:
    ZROlbraItem() = default;
    ZROlbraItem(const ZROlbraItem&) = delete;
    ZROlbraItem& operator=(const ZROlbraItem&) = delete;
};

#include "kitbase/model/ZRStoredBlocks.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRObject.h"
#include "platform/core/Modal.h"

#include <algorithm>

void AttachStoredBlocks(ZRObject& parent, const std::function<ZRObject*(int32_t cls)>& blockOf,
                        size_t maxLinks) {
    ZRDevice* device = parent.GetDevice();
    auto* db = device ? dynamic_cast<DBStorage*>(device->GetStorage()) : nullptr;
    if (!db || parent.GetClass() == -1 || parent.GetInstance() == -1)
        return;
    ZRStorage::Ids links;
    db->GetChildren(parent.GetClass(), parent.GetInstance(), links);
    links.resize(std::min(links.size(), maxLinks));
    for (const auto value : links) {
        const auto link = static_cast<int32_t>(value);
        int32_t cls = 0;
        int32_t instance = 0;
        try {
            if (!db->FindObject(link, cls, instance))
                continue;
        } catch (const ZRError&) {
            platform::core::MessageBox("Corrupted project database. Data may have been lost.");
            db->RemoveChild(parent.GetClass(), parent.GetInstance(), link);
            continue;
        }
        if (ZRObject* block = blockOf(cls))
            block->Attach(device, instance);
    }
}

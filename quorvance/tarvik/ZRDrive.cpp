#include "quorvance/tarvik/ZRDrive.h"

ZRDrive* TarvikDriveOf(ZRObject* object)
{
    for (; object != nullptr; object = object->GetParent()) {
        if (auto* drive = dynamic_cast<ZRDrive*>(object))
            return drive;
    }
    return nullptr;
}

#include "quorvance/tarvik/ZRMonitor.h"

#include "kitbase/model/ZRStringAttribute.h"

void ZRMonitor::Init() {
    ZRObject::Init();
    SetClass(kType);
    SetVersion(1);
    GetName().SetValue("Monitor");
}

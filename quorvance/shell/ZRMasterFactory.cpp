#include "quorvance/shell/ZRMasterFactory.h"

#include "quorvance/shell/ZRNoxelFolder.h"

#include <utility>

namespace {
// For the classes that serve several ids: made as they are, then given the id asked for.
template <class T, class... Args> std::unique_ptr<ZRObject> Retyped(int32_t type, Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    object->SetClass(type);
    return object;
}
} // namespace

std::unique_ptr<ZRObject> ZRMasterFactory::CreateObject(int32_t type) {
    // One line per id. Each drive family and the Merrix programming classes add their ids here
    // (Merrix 1-27 and -199 to -182, Tarvik -180 to -155, Fenwa -151 to -138, Zelna -136 to -120).
    // Broken-drive placeholders, monitors and objects that only their parent builds stay out.
    switch (type) {
    case ZRNoxelFolder::kRootType:
        return Retyped<ZRNoxelFolder>(type);
    default:
        return nullptr;
    }
}

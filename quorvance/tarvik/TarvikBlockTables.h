#pragma once

#include "kitbase/model/ZRObject.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

class ZRDevice;
class ZRLongBitField;

// Tables of choices and bit entries, ranges and siblings, for the blocks that define many rows.
namespace tarvik {

// Index field that makes a write go out as a command (no index).
inline constexpr int32_t kCommandIndex = 0x200;

// An attribute (or command) bound to the block's device field.
template <class A, class... Args> std::unique_ptr<A> MakeAttr(ZRDevice*& device, Args... args) {
    return std::make_unique<A>(device, args...);
}

// The block's sibling of that class under the same drive, or null (no parent, or none made).
template <class Block> Block* SiblingOf(ZRObject* block) {
    if (!block->GetParent())
        return nullptr;
    for (ZRObject* child : block->GetParent()->GetChildren()) {
        if (auto* sibling = dynamic_cast<Block*>(child))
            return sibling;
    }
    return nullptr;
}

using OptionList = std::initializer_list<std::pair<int32_t, const char*>>;
using BitEntries = std::initializer_list<std::pair<uint32_t, const char*>>;

// Bind with the unit text.
void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name, const char* units);
// Signed (or unsigned) options in list order; the first listed option is selected.
void SetLongOptions(ZRIndexSelection& selection, ZRObject* owner, OptionList options, int dataSize = 1);
void SetUlongOptions(ZRIndexSelection& selection, ZRObject* owner, OptionList options, int dataSize = 1);
void AddEntries(ZRLongBitField& field, BitEntries entries);
// Inclusive range in stored units; scaled attributes show the refused bound in display units.
void SetRange(ZRAttribute& attribute, double minimum, double maximum);
void SetValRange(ZRValAttribute& attribute, double minimum, double maximum);
// On line, firmware before 1.13 build 6 cannot reset the drive from an input or the network: the
// "Reset Drive" entry of each field says so. Off line the text stays.
void MarkResetDriveUnsupported(ZRObject& block, ZRDevice* device, std::initializer_list<ZRLongBitField*> fields);

} // namespace tarvik

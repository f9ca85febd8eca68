#include "kitbase/model/ZRTest.h"

#include "platform/core/Modal.h"
#include "platform/core/SharedMemory.h"

using platform::core::SharedMemory;

ZRTest* ZRTest::_instance = nullptr;

namespace {
std::string& PageName() {
    static std::string name = ZRTest::kPageName;
    return name;
}
} // namespace

ZRTest* ZRTest::Instance() {
    if (!_instance)
        _instance = new ZRTest(PageName());
    return _instance;
}

void ZRTest::SetPageName(const std::string& name) {
    PageName() = name;
}

ZRTest::ZRTest(const std::string& name) : m_pPage(std::make_unique<SharedMemory>()) {
    switch (m_pPage->Open(name, kPageSize)) {
    case SharedMemory::Status::Open:
        break;
    case SharedMemory::Status::CreateFailed:
        platform::core::MessageBox("Memory Mapped File could not be created.");
        break;
    case SharedMemory::Status::MapFailed:
        platform::core::MessageBox("Mapped View of Shared Memory File could not be opened.");
        break;
    }
}

ZRTest::~ZRTest() = default;

unsigned char* ZRTest::GetBaseFileAddress() const {
    return m_pPage->Data();
}

bool ZRTest::ReadText(std::string& text) const {
    return m_pPage->ReadText(text);
}

bool ZRTest::WriteText(const std::string& text) {
    return m_pPage->WriteText(text);
}

bool ZRTest::WriteInt32(std::size_t offset, std::int32_t value) {
    return m_pPage->WriteInt32(offset, value);
}

bool ZRTest::WriteRect(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom) {
    return WriteInt32(0, left) && WriteInt32(16, right) && WriteInt32(32, top) && WriteInt32(48, bottom);
}

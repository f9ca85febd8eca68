#include "support/model/TestObjects.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"

#include "platform/core/Text.h"

TestObject::TestObject(int32_t cls, int longCount, uint32_t version)
    : m_pText(std::make_unique<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ')),
      m_pStatus(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pMisc(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pCommand(std::make_unique<ZRCommand>(GetDevice())) {
    SetClass(cls);
    SetVersion(version);
    for (int i = 0; i < longCount; ++i)
        m_Longs.push_back(std::make_unique<ZRLongAttribute>(GetDevice(), 4));
}

TestObject::~TestObject() = default;

void TestObject::Init() {
    ++initCalls;
    ZRObject::Init();
    GetName().Define(kNameId);
    m_pText->SetObject(this);
    m_pText->Define(kTextId);
    m_pText->SetName("Text");
    AddProperty(m_pText.get());
    for (size_t i = 0; i < m_Longs.size(); ++i) {
        m_Longs[i]->SetObject(this);
        m_Longs[i]->Define(kFirstLongId + int32_t(i));
        m_Longs[i]->SetName(platform::core::Format("Long %zu", i));
        AddProperty(m_Longs[i].get());
    }
    m_pStatus->SetObject(this);
    m_pStatus->Define(kStatusId);
    AddStatus(m_pStatus.get());
    m_pMisc->SetObject(this);
    m_pMisc->Define(kMiscId);
    AddMiscAttribute(m_pMisc.get());
    m_pCommand->SetObject(this);
    m_pCommand->Define(kService);
    AddCommand(m_pCommand.get());
}

OtherObject::OtherObject() : m_pValue(std::make_unique<ZRLongAttribute>(GetDevice(), 4)) {
    SetClass(kClass);
    SetVersion(1);
}

OtherObject::~OtherObject() = default;

void OtherObject::Init() {
    ZRObject::Init();
    GetName().Define(TestObject::kNameId);
    m_pValue->SetObject(this);
    m_pValue->Define(TestObject::kFirstLongId);
    AddProperty(m_pValue.get());
}

TestFactory::TestFactory() {
    Register(TestObject::kClass, [] { return std::make_unique<TestObject>(); });
    Register(101, [] { return std::make_unique<TestObject>(101); });
    Register(OtherObject::kClass, [] { return std::make_unique<OtherObject>(); });
}

std::unique_ptr<ZRObject> TestFactory::CreateObject(int32_t type) {
    auto it = m_Makers.find(type);
    if (it == m_Makers.end())
        return nullptr;
    ++created;
    return it->second();
}

// Small object classes and an object factory for tests of workspace objects, copy, export and
// import, and of whatever observes them.
#pragma once

#include "kitbase/model/ZRFactory.h"
#include "kitbase/model/ZRObject.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class ZRCommand;
class ZRLongAttribute;
class ZRStringAttribute;

// Properties: the name (id 10), a text (id 20) and longCount long attributes (ids 100, 101, ...,
// 4 bytes); a status long (id 30), a misc long (id 40) and a command (service 7).
class TestObject : public ZRObject {
public:
    static constexpr int32_t kClass = 100;
    static constexpr int32_t kNameId = 10;
    static constexpr int32_t kTextId = 20;
    static constexpr int32_t kStatusId = 30;
    static constexpr int32_t kMiscId = 40;
    static constexpr int32_t kFirstLongId = 100;
    static constexpr int32_t kService = 7;

    explicit TestObject(int32_t cls = kClass, int longCount = 2, uint32_t version = 1);
    ~TestObject() override;

    void Init() override;

    ZRLongAttribute& Long(size_t i) { return *m_Longs.at(i); }
    size_t LongCount() const { return m_Longs.size(); }
    ZRStringAttribute& Text() { return *m_pText; }
    ZRLongAttribute& StatusValue() { return *m_pStatus; }
    ZRLongAttribute& MiscValue() { return *m_pMisc; }
    ZRCommand& Command() { return *m_pCommand; }

    int initCalls = 0;

private:
    std::vector<std::unique_ptr<ZRLongAttribute>> m_Longs;
    std::unique_ptr<ZRStringAttribute> m_pText;
    std::unique_ptr<ZRLongAttribute> m_pStatus;
    std::unique_ptr<ZRLongAttribute> m_pMisc;
    std::unique_ptr<ZRCommand> m_pCommand;
};

// Another class: a name and one long property (id 100).
class OtherObject : public ZRObject {
public:
    static constexpr int32_t kClass = 200;

    OtherObject();
    ~OtherObject() override;
    void Init() override;
    ZRLongAttribute& Value() { return *m_pValue; }

private:
    std::unique_ptr<ZRLongAttribute> m_pValue;
};

// Knows TestObject under 100 and 101 (two longs) and OtherObject under 200; more can be registered.
class TestFactory : public ZRFactory {
public:
    using Maker = std::function<std::unique_ptr<ZRObject>()>;

    TestFactory();
    std::unique_ptr<ZRObject> CreateObject(int32_t type) override;
    void Register(int32_t type, Maker maker) { m_Makers[type] = std::move(maker); }
    void Forget(int32_t type) { m_Makers.erase(type); }

    int created = 0;

private:
    std::map<int32_t, Maker> m_Makers;
};

// Installs a factory for one scope and puts the previous one back.
class ScopedFactory {
public:
    explicit ScopedFactory(ZRFactory* factory) : m_pPrevious(ZRObject::GetFactory()) {
        ZRObject::SetFactory(factory);
    }
    ~ScopedFactory() { ZRObject::SetFactory(m_pPrevious); }
    ScopedFactory(const ScopedFactory&) = delete;
    ScopedFactory& operator=(const ScopedFactory&) = delete;

private:
    ZRFactory* m_pPrevious;
};

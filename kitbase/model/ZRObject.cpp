#include "kitbase/model/ZRObject.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRFactory.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"

#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <algorithm>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <typeinfo>

ZRFactory* ZRObject::m_pFactory = nullptr;
int32_t ZRObject::s_NameAttributeID = -1;
float ZRObject::s_ImportVersion = 1.0f;

namespace {

const char* const kCorruptedData = "Corrupted data file. Data may have been lost.";
const char* const kCleanupFailed = "Unable to properly clean up after cancel.";
const char* const kCorruptedImport = "Import file is corrupted. Unable to complete import.";
// Nesting far beyond any real object tree; a deeper file is treated as corrupted rather than
// walked, so a crafted file cannot exhaust the reader.
constexpr int kMaxScrapDepth = 1000;

void Show(const std::string& text) {
    platform::core::MessageBox(text);
}

// The project database of an off-line device; the links between parents and children live there.
DBStorage* ProjectDB(ZRDevice* device) {
    if (!device || !device->IsOffLine())
        return nullptr;
    return dynamic_cast<DBStorage*>(device->GetStorage());
}

ZRStorage* StorageOf(ZRDevice* device) {
    return device ? device->GetStorage() : nullptr;
}

using platform::core::ReadLine;

// The part of a line before its first colon.
std::string_view Head(const std::string& line) {
    size_t colon = line.find(':');
    return std::string_view(line).substr(0, colon);
}

// The object's own part plus each child's subtree; false as soon as any part cannot be told.
bool SumOverTree(ZRObject& object, int32_t& sum, bool (ZRObject::*own)(int32_t&),
                 bool (ZRObject::*subtree)(int32_t&)) {
    int32_t total = 0;
    if (!(object.*own)(total))
        return false;
    for (ZRObject* child : object.GetChildren()) {
        int32_t part = 0;
        if (!(child->*subtree)(part))
            return false;
        total += part;
    }
    sum = total;
    return true;
}

} // namespace

ZRObject::ZRObject() : m_pName(std::make_unique<ZRStringAttribute>(m_pDevice, 0, NoPadding, ' ')) {}

ZRObject::~ZRObject() {
    m_Children.Clear();
    Notify(ZRUpdate::Destroying);
}

std::unique_ptr<ZRObject> ZRObject::MakeObject(int32_t cls) {
    if (!m_pFactory)
        return nullptr;
    return m_pFactory->CreateObject(cls);
}

void ZRObject::Init() {
    m_pName->SetObject(this);
    m_pName->Define(s_NameAttributeID);
    m_pName->SetName("Name");
    AddProperty(m_pName.get());
}

void ZRObject::AddChild(std::unique_ptr<ZRObject> owned, bool notify) {
    ZRObject* child = owned.get();
    if (!child)
        return;
    m_Children.Add(std::move(owned));
    child->SetParent(this);
    StoreChild(child);
    if (notify)
        Notify(ZRUpdate::ChildAdded);
}

void ZRObject::StoreChild(ZRObject* child) {
    if (!m_pDevice)
        return;
    if (child->Exists(m_pDevice))
        child->Attach(m_pDevice, child->GetInstance());
    else
        child->Create(m_pDevice);
    if (DBStorage* db = ProjectDB(m_pDevice)) {
        // A child without a row of its own has no link to record. The link is looked up alone:
        // reading all of a parent's links for each child made opening a project quadratic.
        int32_t id = 0;
        if (db->FindInstance(child->GetClass(), child->GetInstance(), id) &&
            !db->HasChild(m_Class, m_Instance, id))
            db->AddChild(m_Class, m_Instance, id);
    }
}

std::unique_ptr<ZRObject> ZRObject::RemoveChild(ZRObject* child) {
    if (!m_Children.Contains(child))
        return nullptr;
    if (DBStorage* db = ProjectDB(m_pDevice); db && child->GetInstance() != -1) {
        int32_t id = 0;
        if (db->FindInstance(child->GetClass(), child->GetInstance(), id))
            db->RemoveChild(m_Class, m_Instance, id);
    }
    std::unique_ptr<ZRObject> taken = m_Children.Take(child);
    child->SetParent(nullptr);
    Notify(ZRUpdate::ChildRemoved);
    return taken;
}

void ZRObject::MoveChild(ZRObject* child) {
    ZRObject* parent = child->GetParent();
    std::unique_ptr<ZRObject> owned = parent ? parent->RemoveChild(child) : nullptr;
    if (!owned)
        return;
    m_Children.Add(std::move(owned));
    child->SetParent(this);
    Notify(ZRUpdate::ChildAdded);
    if (DBStorage* db = ProjectDB(m_pDevice)) {
        int32_t id = 0;
        if (db->FindInstance(child->GetClass(), child->GetInstance(), id))
            db->AddChild(m_Class, m_Instance, id);
    }
}

ZRObject* ZRObject::GetChild(int32_t cls) {
    std::unique_ptr<ZRObject> made = MakeObject(cls);
    if (!made)
        return nullptr;
    ZRObject* child = made.get();
    AddChild(std::move(made), true);
    child->Init();
    return child;
}

ZRObject* ZRObject::FindChild(const std::string& name) {
    for (ZRObject* child : m_Children) {
        if (child->GetName().GetAsString() == name)
            return child;
    }
    return nullptr;
}

bool ZRObject::Exists(ZRDevice*) {
    return m_Instance != 0;
}

void ZRObject::Detach() {
    m_pDevice = nullptr;
    m_Instance = 0;
    for (ZRObject* child : m_Children)
        child->Detach();
}

void ZRObject::DoSetDevice(ZRDevice* device) {
    m_pDevice = device;
    for (ZRObject* child : m_Children)
        child->DoSetDevice(device);
}

void ZRObject::RemoveChildren() {
    while (!m_Children.empty()) {
        ZRObject* child = m_Children.front();
        std::unique_ptr<ZRObject> gone = child->Remove();
        // An override of Remove that left the link in place must not make this loop forever.
        if (!gone)
            gone = m_Children.Take(child);
    }
}

std::unique_ptr<ZRObject> ZRObject::Remove() {
    RemoveChildren();
    std::unique_ptr<ZRObject> self = m_pParent ? m_pParent->RemoveChild(this) : nullptr;
    if (m_Instance > 0) {
        if (ZRStorage* storage = StorageOf(m_pDevice))
            storage->Delete(m_Class, m_Instance);
    }
    m_pDevice = nullptr;
    m_Instance = 0;
    return self;
}

void ZRObject::Refresh() {
    if (m_Instance < 1)
        return;
    for (ZRAttribute* attribute : GetProperties())
        attribute->Refresh(false);
    for (ZRAttribute* attribute : GetStatus())
        attribute->Refresh(false);
}

void ZRObject::SaveAll() {
    for (ZRAttribute* attribute : GetProperties())
        attribute->Save();
    for (ZRObject* child : m_Children)
        child->SaveAll();
}

bool ZRObject::GetTransCount(int32_t& count) {
    count = 0;
    if (m_Instance <= 0)
        return true;
    for (ZRAttribute* attribute : GetProperties()) {
        if (attribute->GetAttribute() != kNoAttribute)
            ++count;
    }
    return true;
}

bool ZRObject::DoGetTransCount(int32_t& count) {
    return SumOverTree(*this, count, &ZRObject::GetTransCount, &ZRObject::DoGetTransCount);
}

bool ZRObject::GetSize(int32_t& size) {
    size = 0;
    return true;
}

bool ZRObject::DoGetSize(int32_t& size) {
    return SumOverTree(*this, size, &ZRObject::GetSize, &ZRObject::DoGetSize);
}

std::string ZRObject::GetPath() {
    return {};
}

bool ZRObject::CheckSpace(ZRObject* newObject, ZRObject* replaced, std::string& message) {
    const char* const unknown = "Action failed - Unable to determine if space is available";
    int32_t freeSpace = 0;
    int32_t newSize = 0;
    int32_t replacedSize = 0;
    try {
        ZRStorage* storage = StorageOf(m_pDevice);
        if (!storage || !storage->GetFreeSpace(freeSpace) || !newObject->DoGetSize(newSize) ||
            (replaced && !replaced->DoGetSize(replacedSize))) {
            message = unknown;
            return false;
        }
    } catch (const ZRError&) {
        message = unknown;
        return false;
    }
    int64_t left = int64_t(freeSpace) - newSize + replacedSize;
    if (left >= 0)
        return true;
    message = "Action failed - Not enough space.";
    return false;
}

bool ZRObject::CheckVersion() {
    ZRStorage* storage = StorageOf(m_pDevice);
    if (!storage)
        return false;
    try {
        uint32_t version = 0;
        if (!storage->GetVersion(m_Class, m_Instance, version))
            return false;
        m_Version = version;
        return true;
    } catch (const ZRError&) {
        return false;
    }
}

void ZRObject::SetPropertiesUnsupported() {
    for (AttributeList* list : {&GetProperties(), &GetStatus(), &GetMiscAttributes()}) {
        for (ZRAttribute* attribute : *list) {
            attribute->SetSupported(false);
            attribute->Define(kNoAttribute);
        }
    }
    for (ZRCommand* command : GetCommands()) {
        command->SetSupported(false);
        command->Define(0);
    }
}

void ZRObject::Attach(ZRDevice* device, int32_t instance) {
    m_pDevice = device;
    m_Instance = instance;
    bool unsupported = false;
    if (device->GetVersion() < m_FirstVersion) {
        m_Instance = -1;
        unsupported = true;
    }
    if (device->IsOffLine()) {
        if (m_Instance != -1) {
            UpdatePropertiesOffline();
            m_pName->Refresh(false);
        }
        AttachDBChildren();
        // Children made by Init that are not stored yet.
        for (size_t i = 0; i < m_Children.size(); ++i) {
            if (m_Children[i]->GetInstance() == 0)
                StoreChild(m_Children[i]);
        }
    } else if (!unsupported) {
        if (m_Instance != -1) {
            if (CheckVersion())
                UpdatePropertiesOnline();
            m_pName->Refresh(false);
        }
        AttachOnLineChildren();
    } else {
        SetPropertiesUnsupported();
    }
    if (!m_Children.empty())
        Notify(ZRUpdate::ChildAdded);
}

void ZRObject::AttachOnLineChildren() {}

void ZRObject::AttachDBChildren() {
    if (m_Class == -1 || m_Instance == -1)
        return;
    DBStorage* db = ProjectDB(m_pDevice);
    if (!db)
        return;
    ZRStorage::Ids links;
    db->GetChildren(m_Class, m_Instance, links);
    bool reportedUnknown = false;
    for (uint32_t link : links) {
        int32_t id = static_cast<int32_t>(link);
        int32_t cls = 0;
        int32_t instance = 0;
        try {
            db->FindObject(id, cls, instance);
        } catch (const ZRError&) {
            Show(kCorruptedData);
            db->RemoveChild(m_Class, m_Instance, id);
            continue;
        }
        std::unique_ptr<ZRObject> made = MakeObject(cls);
        if (!made) {
            // A class this program does not know: skip it, keep its rows, say so once.
            if (!reportedUnknown)
                Show(kCorruptedData);
            reportedUnknown = true;
            continue;
        }
        try {
            made->Init();
        } catch (const ZRError& error) {
            Show(error.GetComboMessage());
        }
        // Set even after a failed Init, so the child attaches to its row instead of making a new one.
        made->SetInstance(instance);
        AddChild(std::move(made), true);
    }
}

void ZRObject::Create(ZRDevice* device) {
    m_pDevice = device;
    ZRStorage* storage = device->GetStorage();
    int32_t instance = 0;
    storage->Create(m_Class, instance);
    m_Instance = instance;
    if (device->IsOffLine()) {
        storage->WriteUlong(m_Class, m_Instance, kVersionAttribute, m_Version, 4);
        UpdatePropertiesOffline();
    } else {
        m_Version = 0;
        if (CheckVersion())
            UpdatePropertiesOnline();
    }
    SaveAll();
    for (size_t i = 0; i < m_Children.size(); ++i)
        StoreChild(m_Children[i]);
}

void ZRObject::UpdatePropertiesOffline() {
    const uint32_t classVersion = m_Version;
    ZRStorage* storage = StorageOf(m_pDevice);
    if (!CheckVersion()) {
        storage->WriteUlong(m_Class, m_Instance, kVersionAttribute, m_Version, 4);
        for (ZRAttribute* attribute : GetProperties()) {
            if (attribute->GetAttribute() != kNoAttribute && !attribute->Exists())
                attribute->Save();
        }
    } else if (m_Version < classVersion) {
        const uint32_t stored = m_Version;
        for (ZRAttribute* attribute : GetProperties()) {
            if (attribute->GetAttribute() != kNoAttribute && attribute->GetFirstVersion() > stored)
                attribute->Save();
        }
        storage->WriteUlong(m_Class, m_Instance, kVersionAttribute, classVersion, 4);
        m_Version = classVersion;
    }
    for (ZRAttribute* attribute : GetProperties()) {
        if (attribute->GetAttribute() != kNoAttribute)
            attribute->CheckSupported();
    }
}

void ZRObject::UpdatePropertiesOnline() {
    for (AttributeList* list : {&GetProperties(), &GetStatus()}) {
        for (ZRAttribute* attribute : *list) {
            if (attribute->GetAttribute() != kNoAttribute)
                attribute->CheckSupported();
        }
    }
    for (ZRCommand* command : GetCommands()) {
        if (command->GetService() != 0)
            command->CheckSupported();
    }
    for (ZRAttribute* attribute : GetMiscAttributes()) {
        if (attribute->GetAttribute() != kNoAttribute)
            attribute->CheckSupported();
    }
}

void ZRObject::Copy(ZRObject* source, bool withChildren) {
    // Only an object of the same class has the same property layout; anything else would put
    // values into the wrong parameters.
    if (!source || source == this || typeid(*source) != typeid(*this))
        return;
    AttributeList& mine = GetProperties();
    AttributeList& theirs = source->GetProperties();
    const size_t count = std::min(mine.size(), theirs.size());
    for (size_t i = 0; i < count; ++i) {
        theirs[i]->Refresh(false);
        mine[i]->SetAsString(theirs[i]->GetAsString());
    }
    if (!withChildren)
        return;

    RemoveChildren();
    Notify(ZRUpdate::ChildRemoved);

    ZRProgress* progress = ZRProgress::Instance();
    bool reportedUnknown = false;
    const ObjectList sources = source->GetChildren();
    for (ZRObject* sourceChild : sources) {
        if (progress->IsCancelled())
            break;
        std::unique_ptr<ZRObject> made = MakeObject(sourceChild->GetClass());
        if (!made) {
            if (!reportedUnknown)
                Show(kCorruptedData);
            reportedUnknown = true;
            continue;
        }
        try {
            made->Init();
            made->Copy(sourceChild, true);
            ZRObject* child = made.get();
            AddChild(std::move(made), true);
            if (progress->IsCancelled()) {
                try {
                    std::unique_ptr<ZRObject> gone = child->Remove();
                } catch (...) {
                    Show(kCleanupFailed);
                }
                break;
            }
        } catch (const ZRError& error) {
            Show(error.GetComboMessage());
        }
    }
}

ZRAttribute* ZRObject::FindAttribute(const std::string& key, size_t& position) {
    AttributeList& properties = GetProperties();
    const size_t count = properties.size();
    if (count == 0)
        return nullptr;
    const size_t start = position < count ? position : 0;
    for (size_t n = 0; n < count; ++n) {
        size_t i = (start + n) % count;
        if (properties[i]->GetKey() == key) {
            position = i + 1;
            return properties[i];
        }
    }
    return nullptr;
}

void ZRObject::Export(std::ostream& out) {
    out << "BeginAttributes:\n";
    Refresh();
    for (ZRAttribute* attribute : GetProperties()) {
        if (attribute->GetAttribute() == kNoAttribute)
            continue;
        out << attribute->GetKey() << ':' << attribute->GetInternalAsString() << '\n';
    }
    out << "EndAttributes:\n";
    out << "BeginChildren:\n";
    for (ZRObject* child : m_Children) {
        out << "BeginChild:" << child->GetClass() << '\n';
        child->Export(out);
        out << "EndChild:\n";
    }
    out << "EndChildren:\n";
}

bool ZRObject::Import(std::istream& in) {
    auto corrupted = [] {
        Show(kCorruptedImport);
        return false;
    };
    std::string line;
    if (!ReadLine(in, line) || line != "BeginAttributes:")
        return corrupted();
    const bool internal = s_ImportVersion > 1.0f;
    size_t position = 0;
    for (;;) {
        if (!ReadLine(in, line))
            return corrupted();
        if (line == "EndAttributes:")
            break;
        size_t colon = line.find(':');
        std::string key = line.substr(0, colon);
        if (key == "-1")
            continue;
        ZRAttribute* attribute = FindAttribute(key, position);
        if (!attribute)
            continue;
        std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
        if (internal)
            attribute->SetInternalAsString(value);
        else
            attribute->SetAsString(value);
    }
    if (!ReadLine(in, line) || line != "BeginChildren:")
        return corrupted();
    if (!ReadLine(in, line))
        return corrupted();
    while (Head(line) == "BeginChild") {
        int32_t cls = static_cast<int32_t>(std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10));
        ZRObject* child = GetChild(cls);
        // A failed child has already reported.
        if (!(child ? child->Import(in) : ImportScrap(in)))
            return false;
        if (!ReadLine(in, line) || Head(line) != "EndChild")
            return corrupted();
        if (!ReadLine(in, line))
            return corrupted();
    }
    if (Head(line) != "EndChildren")
        return corrupted();
    return true;
}

bool ZRObject::ImportScrap(std::istream& in) {
    auto corrupted = [] {
        Show(kCorruptedImport);
        return false;
    };
    // Walked with a depth count instead of recursion: each level is the same block, opened by
    // "BeginChild" and closed by "EndChild".
    int depth = 0;
    std::string line;
    for (;;) {
        if (!ReadLine(in, line) || line != "BeginAttributes:")
            return corrupted();
        do {
            if (!ReadLine(in, line))
                return corrupted();
        } while (line != "EndAttributes:");
        if (!ReadLine(in, line) || line != "BeginChildren:")
            return corrupted();
        if (!ReadLine(in, line))
            return corrupted();
        if (Head(line) == "BeginChild") {
            if (++depth > kMaxScrapDepth)
                return corrupted();
            continue;
        }
        // This level's children are done; close levels until one has a next child.
        for (;;) {
            if (Head(line) != "EndChildren")
                return corrupted();
            if (depth == 0)
                return true;
            --depth;
            if (!ReadLine(in, line) || Head(line) != "EndChild")
                return corrupted();
            if (!ReadLine(in, line))
                return corrupted();
            if (Head(line) == "BeginChild") {
                ++depth;
                break;
            }
        }
    }
}

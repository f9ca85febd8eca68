#include "quorvance/online/ZROnLine.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRScanning.h"
#include "platform/core/Clock.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/online/ZROnLineStorage.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/zelna/ZelnaIds.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/Querin.h"
#include "wirelink/SerialComm.h"
#include "wirelink/ZRCommError.h"
#include "wirelink/ZelnaComm.h"

#include <algorithm>

using platform::core::Format;

namespace {

// Every kind of attribute list an object keeps.
template <class T> T* FindAttributeByName(ZRObject& object, const std::string& name) {
    for (ZRObject::AttributeList* list : {&object.GetProperties(), &object.GetStatus(), &object.GetMiscAttributes()})
        for (ZRAttribute* attribute : *list)
            if (auto* typed = dynamic_cast<T*>(attribute); typed && typed->GetName() == name)
                return typed;
    return nullptr;
}

ZROnLineStorage* StorageOf(ZRObject* drive) {
    ZRDevice* device = drive ? drive->GetDevice() : nullptr;
    return device ? dynamic_cast<ZROnLineStorage*>(device->GetStorage()) : nullptr;
}

} // namespace

ZROnLine::ZROnLine() {
    // The name and base attributes only: opening the link waits for the first scan.
    ZRObject::Init();
}

ZROnLine::~ZROnLine() {
    Unsubscribe();
    RemoveAllDrives();
    CloseLink();
    // The two singletons go with the root; their Instance() makes new ones if anybody asks later.
    NoxelComm::DestroyInstance();
    HalvoMaster::DestroyInstance();
    m_pQuerin.reset();
    if (m_pScanning)
        m_pScanning->DestroyWindow();
    m_pScanning.reset();
}

ZRLinkSettings ZROnLine::GetLinkSettings() const {
    if (m_LinkSettings)
        return m_LinkSettings();
    ZRLinkSettings settings;
    if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance()) {
        settings.port = app->GetPortName();
        settings.baudRate = app->GetBaudRate();
        settings.parity = app->GetParity();
        settings.dataBits = app->GetDataBits();
        settings.sercosMode = app->IsSercosMode();
        settings.kvlMode = app->IsKvlMode();
    }
    return settings;
}

// ---- The serial link

void ZROnLine::ShareLink(SerialComm* link) {
    NoxelComm::Instance()->SetSerialComm(link);
    HalvoMaster::Instance()->SetSerialComm(link);
    FenwaComm::Instance()->SetSerialComm(link);
    ZelnaComm::Instance()->SetSerialComm(link);
}

void ZROnLine::CloseLink() {
    // The protocols forget the link before it goes, so none can use it afterwards.
    if (m_pSerialComm)
        ShareLink(nullptr);
    m_pSerialComm.reset();
}

void ZROnLine::OpenSerialLink() {
    CloseLink();
    auto link = std::make_unique<SerialComm>();
    const ZRLinkSettings settings = GetLinkSettings();
    try {
        link->Init(settings.port, settings.baudRate, static_cast<unsigned char>(settings.parity),
                   static_cast<unsigned char>(settings.dataBits));
        m_pSerialComm = std::move(link);
        ShareLink(m_pSerialComm.get());
    } catch (const ZRCommError&) {
        platform::core::MessageBox("Unable to initialize serial communications. COM port unavailable");
    }
}

void ZROnLine::Init() {
    OpenSerialLink();
    SerialComm* link = m_pSerialComm.get();
    NoxelComm::Instance()->Init(link);
    HalvoMaster::Instance()->Init(link);
    FenwaComm::Instance()->Init(link);
    ZelnaComm::Instance()->Init(link);
    if (!m_pQuerin)
        m_pQuerin = std::make_unique<Querin>(HalvoMaster::Instance());
}

// ---- Children

int ZROnLine::NodeOf(ZRObject* drive) {
    ZROnLineStorage* storage = StorageOf(drive);
    return storage ? storage->GetNode() : -1;
}

ZRObject* ZROnLine::FindDrive(int node) const {
    auto it = m_DriveMap.find(node);
    return it == m_DriveMap.end() ? nullptr : it->second;
}

bool ZROnLine::IsQueuedForRemoval(ZRObject* drive) const {
    return std::find(m_RemovalQueue.begin(), m_RemovalQueue.end(), drive) != m_RemovalQueue.end();
}

ZRObject* ZROnLine::AddOnLineDrive(std::unique_ptr<ZRObject> drive, std::unique_ptr<ZRDevice> device,
                                   std::unique_ptr<ZROnLineStorage> storage, bool notify) {
    m_Staged.device = std::move(device);
    m_Staged.storage = std::move(storage);
    ZRObject* added = drive.get();
    AddChild(std::move(drive), notify);
    return added;
}

void ZROnLine::AddChild(std::unique_ptr<ZRObject> child, bool notify) {
    if (!child)
        return;
    // The map entry comes first: the node managers told of the new child may look it up.
    if (ZROnLineStorage* storage = StorageOf(child.get())) {
        m_DriveMap[storage->GetNode()] = child.get();
        storage->AddObserver(this);
        if (m_Staged.storage.get() == storage)
            m_Held[child.get()] = std::move(m_Staged);
    }
    m_Staged = Held{};
    ZRObject::AddChild(std::move(child), notify);
    Subscribe();
}

std::unique_ptr<ZRObject> ZROnLine::RemoveChild(ZRObject* child) {
    if (!child || child->GetParent() != this)
        return nullptr;
    if (ZROnLineStorage* storage = StorageOf(child))
        storage->RemoveObserver(this);
    std::unique_ptr<ZRObject> removed = ZRObject::RemoveChild(child);
    for (auto it = m_DriveMap.begin(); it != m_DriveMap.end();)
        it = it->second == child ? m_DriveMap.erase(it) : std::next(it);
    // Whoever removed it, a drive that left is never removed a second time.
    m_RemovalQueue.remove(child);
    child->DoSetDevice(nullptr);
    if (auto held = m_Held.find(child); held != m_Held.end()) {
        held->second.device.reset();
        held->second.storage.reset();
        m_Held.erase(held);
    }
    if (m_DriveMap.empty() && !m_bScanning)
        Unsubscribe();
    return removed;
}

void ZROnLine::DeleteDrive(ZRObject* drive) {
    // RemoveChild hands the drive back (out of the removal queue too); this is where it ends.
    std::unique_ptr<ZRObject> gone = RemoveChild(drive);
}

void ZROnLine::RemoveAllDrives() {
    m_RemovalQueue.clear();
    const ObjectList children = GetChildren();
    for (ZRObject* drive : children)
        DeleteDrive(drive);
    if (!m_bScanning)
        Unsubscribe();
}

void ZROnLine::Subscribe() {
    if (m_bIdleSubscribed)
        return;
    ZRIdleController::Instance()->AddObserver(this);
    m_bIdleSubscribed = true;
}

void ZROnLine::Unsubscribe() {
    if (!m_bIdleSubscribed)
        return;
    if (ZRIdleController::m_pInstance)
        ZRIdleController::m_pInstance->RemoveObserver(this);
    m_bIdleSubscribed = false;
}

// ---- Lost links and idle ticks

void ZROnLine::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        // A storage lost its link for good; its drive goes on the next idle tick, not during the report.
        for (const auto& [node, drive] : m_DriveMap)
            if (static_cast<platform::core::Subject*>(StorageOf(drive)) == subject) {
                if (!IsQueuedForRemoval(drive))
                    m_RemovalQueue.push_back(drive);
                break;
            }
        break;
    case ZRUpdate::IdleTick:
        if (subject != static_cast<platform::core::Subject*>(ZRIdleController::m_pInstance))
            break;
        if (m_bScanning) {
            if (ScanEnds()) {
                EndScan();
                break;
            }
            ScanStep();
        }
        RemoveQueuedDrives();
        break;
    default:
        break;
    }
}

void ZROnLine::RemoveQueuedDrives() {
    while (!m_RemovalQueue.empty()) {
        platform::ui::WaitCursor wait;
        ZRObject* drive = m_RemovalQueue.front();
        m_RemovalQueue.pop_front();
        platform::core::MessageBox(
            Format("Removing drive %s from workspace...", drive->GetName().GetValue().c_str()));
        if (drive->GetParent() == this)
            DeleteDrive(drive);
        if (m_DriveMap.empty() && m_pSerialComm)
            CloseLink();
    }
}

// ---- Disabling

void ZROnLine::DisableAllDrives() {
    const ObjectList children = GetChildren();
    for (ZRObject* drive : children)
        if (ZRDevice* device = drive->GetDevice())
            device->Disable();
}

void ZROnLine::DisableSoftwareEnabledDrives() {
    const ObjectList children = GetChildren();
    for (ZRObject* drive : children) {
        if (drive->GetClass() != zelna::kDriveType)
            continue;
        auto* enabled = FindAttributeByName<ZRBoolAttribute>(*drive, "Enabled");
        auto* soft = FindAttributeByName<ZRBoolAttribute>(*drive, "Soft Enabled");
        if (!enabled || !soft || !enabled->GetValue() || !soft->GetValue())
            continue;
        using namespace platform::core;
        if (MessageBox("The drive software enable is active. Do you want to disable the drive?", {},
                       MB_YESNO | MB_DEFBUTTON2) != IDYES)
            continue;
        if (ZRDevice* device = drive->GetDevice()) {
            device->Disable();
            Sleep(100);
        }
    }
}

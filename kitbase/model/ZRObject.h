#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/core/OwnedList.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class ZRAttribute;
class ZRCommand;
class ZRDevice;
class ZRFactory;
class ZRStringAttribute;

// A node of the workspace and drive tree. It lists the attributes and commands that its concrete
// class owns, owns its children, and is bound to a device whose storage holds its values.
class ZRObject : public ZRMvcModel {
public:
    using AttributeList = std::vector<ZRAttribute*>;
    using CommandList = std::vector<ZRCommand*>;
    using ObjectList = std::vector<ZRObject*>;

    // The children in order, owned; only AddChild, MoveChild and RemoveChild change the list.
    using Children = platform::core::OwnedList<ZRObject>;

    // Reserved attribute ids in storage.
    static constexpr int32_t kVersionAttribute = 1;
    static constexpr int32_t kNoAttribute = -1;

    ZRObject();
    // Deletes the children first, then sends reason Destroying.
    ~ZRObject() override;
    ZRObject(const ZRObject&) = delete;
    ZRObject& operator=(const ZRObject&) = delete;

    // Takes ownership of the child (even when storing it throws: it is in the list by then), stores
    // it on this object's device and, with notify, sends reason ChildAdded.
    virtual void AddChild(std::unique_ptr<ZRObject> child, bool notify = true);
    virtual void Attach(ZRDevice* device, int32_t instance);
    virtual void AttachDBChildren();
    virtual void AttachOnLineChildren();
    // Takes the source's display texts (and with withChildren its subtree); the source must be of
    // this object's class.
    virtual void Copy(ZRObject* source, bool withChildren);
    virtual void Create(ZRDevice* device);
    virtual void Detach();
    virtual bool DoGetSize(int32_t& size);
    virtual bool DoGetTransCount(int32_t& count);
    virtual bool Exists(ZRDevice* device);
    virtual void Export(std::ostream& out);
    // A new child of the class made by the factory, added (and so stored) then initialised; null
    // when the factory does not know the class.
    virtual ZRObject* GetChild(int32_t cls);
    virtual CommandList& GetCommands() { return m_Commands; }
    virtual AttributeList& GetMiscAttributes() { return m_MiscAttributes; }
    virtual std::string GetPath();
    virtual AttributeList& GetProperties() { return m_Properties; }
    virtual bool GetSize(int32_t& size);
    virtual AttributeList& GetStatus() { return m_Status; }
    virtual bool GetTransCount(int32_t& count);
    virtual bool Import(std::istream& in);
    virtual void Init();
    // Takes the child over from its parent; an object without a parent is not ours to take and
    // stays where it is.
    virtual void MoveChild(ZRObject* child);
    virtual void Refresh();
    // Removes the subtree from storage for good and unlinks this object from its parent, whose
    // ownership it hands back (null without a parent: the owner keeps it). When the storage throws
    // after the object left its parent, the object is deleted before the error goes on, so the
    // caller must not use it after an error.
    [[nodiscard]] virtual std::unique_ptr<ZRObject> Remove();
    // Unlinks the child and hands it back; null (and nothing sent) when it is not a child.
    [[nodiscard]] virtual std::unique_ptr<ZRObject> RemoveChild(ZRObject* child);
    virtual void SaveAll();
    virtual void SetParent(ZRObject* parent) { m_pParent = parent; }

    // Attaches the child where it exists in the device's storage, else creates it there; off line
    // also records the parent-to-child link.
    void StoreChild(ZRObject* child);
    // The first child whose name is exactly the text.
    ZRObject* FindChild(const std::string& name);
    // This object and all its descendants.
    void DoSetDevice(ZRDevice* device);
    // Whether the device has room for newObject in place of replaced (may be null).
    bool CheckSpace(ZRObject* newObject, ZRObject* replaced, std::string& message);

    int32_t GetClass() const { return m_Class; }
    void SetClass(int32_t cls) { m_Class = cls; }
    int32_t GetInstance() const { return m_Instance; }
    void SetInstance(int32_t instance) { m_Instance = instance; }
    // The field itself: attributes and commands keep a reference to it.
    ZRDevice*& GetDevice() { return m_pDevice; }
    void SetDevice(ZRDevice* device) { m_pDevice = device; }
    ZRObject* GetParent() const { return m_pParent; }
    uint32_t GetVersion() const { return m_Version; }
    void SetVersion(uint32_t version) { m_Version = version; }
    uint32_t GetFirstVersion() const { return m_FirstVersion; }
    void SetFirstVersion(uint32_t version) { m_FirstVersion = version; }
    ZRStringAttribute& GetName() { return *m_pName; }
    const Children& GetChildren() const { return m_Children; }

    void AddCommand(ZRCommand* command) { m_Commands.push_back(command); }
    void AddProperty(ZRAttribute* attribute) { m_Properties.push_back(attribute); }
    void AddStatus(ZRAttribute* attribute) { m_Status.push_back(attribute); }
    void AddMiscAttribute(ZRAttribute* attribute) { m_MiscAttributes.push_back(attribute); }

    static ZRFactory* GetFactory() { return m_pFactory; }
    static void SetFactory(ZRFactory* factory) { m_pFactory = factory; }
    static float GetImportVersion() { return s_ImportVersion; }
    static void SetImportVersion(float version) { s_ImportVersion = version; }
    static int32_t GetNameAttributeID() { return s_NameAttributeID; }
    static void SetNameAttributeID(int32_t id) { s_NameAttributeID = id; }

    // Installed once by the program; not owned.
    static ZRFactory* m_pFactory;
    static int32_t s_NameAttributeID;
    // Version of the object text being imported, set by the exchange-file reader.
    static float s_ImportVersion;

protected:
    virtual void UpdatePropertiesOffline();
    virtual void UpdatePropertiesOnline();

    // Reads the stored version into the version field; false when the storage has none.
    bool CheckVersion();
    void SetPropertiesUnsupported();
    // The property whose key is the text, searching from position to the end and then from the
    // head; position is left just after the match. Null when none matches.
    ZRAttribute* FindAttribute(const std::string& key, size_t& position);
    // Reads one object text and applies nothing.
    bool ImportScrap(std::istream& in);

private:
    // Removes (Remove) and deletes the children one by one.
    void RemoveChildren();
    // The factory's new object of the class, or null (unknown class or no factory).
    static std::unique_ptr<ZRObject> MakeObject(int32_t cls);

    uint32_t m_FirstVersion = 0;
    CommandList m_Commands;
    AttributeList m_Properties;
    AttributeList m_Status;
    AttributeList m_MiscAttributes;
    std::unique_ptr<ZRStringAttribute> m_pName;
    Children m_Children;
    int32_t m_Class = 0;
    // 0: not yet in storage; -1: not supported by the attached drive.
    int32_t m_Instance = 0;
    ZRDevice* m_pDevice = nullptr;
    ZRObject* m_pParent = nullptr;
    uint32_t m_Version = 0;
};

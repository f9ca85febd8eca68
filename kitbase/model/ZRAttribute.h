#pragma once

#include "kitbase/model/ZRMvcModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZRAttributeField;
class ZRDevice;
class ZRError;
class ZRObject;
class ZRRangeValidation;
class ZRStorage;
class ZRUnits;
class ZRValidation;

// A typed drive parameter bound to its owning object and, through the owner's device pointer, to
// the storage that holds its value. The kinds hold the value; the base holds what they share.
class ZRAttribute : public ZRMvcModel, public platform::core::Observer {
public:
    // The reference follows the owner's device field, so the attribute always sees its current device.
    explicit ZRAttribute(ZRDevice*& device);
    ~ZRAttribute() override;
    ZRAttribute(const ZRAttribute&) = delete;
    ZRAttribute& operator=(const ZRAttribute&) = delete;

    // Display formats shared with the property grid.
    enum DisplayFormat : int { Decimal = 0, Binary = 1, Hexadecimal = 2 };

    virtual bool Exists() = 0;
    virtual std::string GetAsString() = 0;
    virtual std::string GetFormattedString(int format);
    virtual bool SetInternalAsFormattedString(const std::string& text, int format) = 0;
    virtual std::string GetInternalAsString() = 0;
    virtual std::string GetKey();
    virtual double GetMax();
    virtual double GetMin();
    virtual bool IsReadValid();
    virtual bool IsWriteValid();
    virtual bool Refresh(bool force);
    virtual bool Save() = 0;
    virtual bool SetAsString(const std::string& text) = 0;
    virtual bool SetInternalAsString(const std::string& text) = 0;
    virtual bool Validate(const std::string& text);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    void Define(int32_t id) { m_Attribute = id; }
    int32_t GetAttribute() const { return m_Attribute; }

    void SetObject(ZRObject* object) { m_pObject = object; }
    ZRObject* GetObject() const { return m_pObject; }
    ZRDevice* GetDevice() const { return m_rpDevice; }

    void SetName(const std::string& name);
    const std::string& GetName() const { return m_Name; }

    void SetUnits(const std::string& units);
    void SetUnitsObject(ZRUnits* units);
    ZRUnits* GetUnitsObject() const { return m_pUnits; }
    std::string GetUnits();

    void SetEnabled(bool enabled);
    bool GetEnabled() const { return m_bEnabled; }
    void SetHidden(bool hidden);
    bool IsHidden() const { return m_bHidden; }
    void SetReadable(bool readable) { m_bReadable = readable; }
    bool IsReadable() const { return m_bReadable; }
    void SetWritable(bool writable) { m_bWritable = writable; }
    bool IsWritable() const { return m_bWritable; }
    void SetSupported(bool supported) { m_bSupported = supported; }
    bool IsSupported() const { return m_bSupported; }

    void SetFirstVersion(uint32_t version) { m_FirstVersion = version; }
    uint32_t GetFirstVersion() const { return m_FirstVersion; }
    void SetLastVersion(uint32_t version) { m_LastVersion = version; }
    uint32_t GetLastVersion() const { return m_LastVersion; }
    // Marks the attribute unsupported (and unstored) when the owner's firmware is outside the window.
    void CheckSupported();

    // The attribute owns the validations it is given.
    void SetRangeValidation(std::unique_ptr<ZRRangeValidation> validation);
    ZRRangeValidation* GetRangeValidation() const { return m_pRangeValidation; }
    bool IsInclusiveMax();
    bool IsInclusiveMin();
    void AddValidation(std::unique_ptr<ZRValidation> validation);

    // Attributes refreshed in the place of one that has no attribute id of its own (not owned).
    void AddRefreshAttribute(ZRAttribute* attribute);
    const std::vector<ZRAttribute*>& GetRefreshList() const { return m_RefreshList; }

    // Takes ownership and writes the current value into the composite at once.
    void SetField(std::unique_ptr<ZRAttributeField> field);
    ZRAttributeField* GetField() const { return m_pField.get(); }

    void SetTestString(const std::string& text);
    const std::string& GetTestString() const { return m_TestString; }
    const std::string& GetPrevAsString() const { return m_PrevString; }

protected:
    void SetPrevAsString(const std::string& text) { m_PrevString = text; }
    static std::string FormatBinary(int32_t value, int digits);

    // The kinds call this first in their destructors, while their value is still whole; the base
    // destructor sends it for any kind that did not.
    void NotifyDestroying();

    // Pieces of the storage protocol the kinds share.
    bool HasId() const { return m_Attribute != -1; }
    bool IsOffLine() const;
    ZRStorage* GetStorage() const;
    int32_t GetClassId() const;
    int32_t GetInstance() const;
    // "name: text", or the text alone when the attribute has no name.
    std::string WithName(const std::string& text) const;
    // Plain OK box with the named text.
    void ShowNamed(const std::string& text) const;
    // Plain OK box with "Invalid Entry" (named), then reason ValueChanged so the row shows the value again.
    void ReportInvalidValue();
    // On-line read error: ask whether to go on reading the parameter; No makes it unreadable.
    void AskKeepReading(const ZRError& error, const char* question);
    // The validations' message box (answered by the self-test queue).
    static int ShowValidationMessage(const std::string& text);
    // Runs the validation list on the test string; shows the first failure.
    bool RunValidations();

    static constexpr const char* kAccessQuestion = "Do you want to access this parameter in the future?";

    // The storage protocol every kind follows, around a callable that makes the kind's own storage
    // call at this attribute's address. Defined in ZRAttributeProtocol.h, which only the kinds include.
    enum class ReadOutcome { Done, Failed, SavedMissing };
    // Refresh's read: when read-valid with an id, read(storage, candidate). Failed: a false read, or
    // an on-line error after the question. SavedMissing: off line the project lacks the value, so the
    // current one was saved and is the candidate again.
    template <class T, class Read>
    ReadOutcome ReadCandidate(T& candidate, const T& current, Read&& read,
                              const char* question = kAccessQuestion);
    // Refresh's end: a differing or forced candidate becomes the value, with reason ValueChanged; true.
    template <class T> bool TakeCandidate(T& value, T candidate, bool force);
    // ReadCandidate then TakeCandidate, a missing off-line value kept.
    template <class T, class Read>
    bool RefreshValue(T& value, bool force, Read&& read, const char* question = kAccessQuestion);
    // Save: write(storage) when write-valid with an id; an error is shown, then reason ValueChanged.
    template <class Write> bool SaveValue(Write&& write);
    // A new value: write(storage, next) when write-valid with an id, then reason ValueWritten; reason
    // ValueChanged on change.
    template <class T, class Write> bool StoreValue(T& value, T next, Write&& write);
    // Exists without a field: false without id or device; on line the supported flag; off line
    // the read's answer, false when it throws.
    template <class Read> bool ExistsStored(Read&& read);

    // scanf-style reads ("%d", "%u", "%X", "%lf"): leading blanks skipped, trailing text ignored;
    // false, with the value untouched, when no number is there or it does not fit.
    static bool ScanInt(const std::string& text, int32_t& value);
    static bool ScanUInt(const std::string& text, uint32_t& value);
    static bool ScanHex(const std::string& text, uint32_t& value);
    static bool ScanDouble(const std::string& text, double& value);

    friend class ZRAttributeField;

private:
    ZRObject* m_pObject = nullptr;
    ZRDevice*& m_rpDevice;
    int32_t m_Attribute = -1;
    bool m_bEnabled = true;
    ZRUnits* m_pUnits = nullptr;
    std::vector<ZRAttribute*> m_RefreshList;
    std::string m_TestString;
    ZRRangeValidation* m_pRangeValidation = nullptr;
    uint32_t m_FirstVersion = 0;
    bool m_bSupported = true;
    std::unique_ptr<ZRAttributeField> m_pField;
    std::string m_PrevString;
    bool m_bWritable = true;
    bool m_bReadable = true;
    std::string m_Units;
    std::string m_Name;
    bool m_bHidden = false;
    std::vector<std::unique_ptr<ZRValidation>> m_Validations;
    uint32_t m_LastVersion = 0xFFFFFFFF;
    bool m_bDestroyingSent = false;
};

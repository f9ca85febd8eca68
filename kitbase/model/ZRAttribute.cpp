#include "kitbase/model/ZRAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValidation.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstdlib>

using platform::core::Format;

ZRAttribute::ZRAttribute(ZRDevice*& device) : m_rpDevice(device) {}

ZRAttribute::~ZRAttribute() {
    NotifyDestroying();
    if (m_pUnits)
        m_pUnits->RemoveObserver(this);
    m_pUnits = nullptr;
    m_pRangeValidation = nullptr;
}

void ZRAttribute::NotifyDestroying() {
    if (m_bDestroyingSent)
        return;
    m_bDestroyingSent = true;
    Notify(ZRUpdate::Destroying);
}

std::string ZRAttribute::GetFormattedString(int /*format*/) {
    return GetAsString();
}

std::string ZRAttribute::GetKey() {
    return Format("%d", m_Attribute);
}

double ZRAttribute::GetMax() {
    return m_pRangeValidation ? m_pRangeValidation->GetMax() : DBL_MAX;
}

double ZRAttribute::GetMin() {
    return m_pRangeValidation ? m_pRangeValidation->GetMin() : -DBL_MAX;
}

bool ZRAttribute::IsReadValid() {
    ZRDevice* device = m_rpDevice;
    if (!device || !m_pObject || !m_bReadable)
        return false;
    // Off line the project database holds only what can be both read and written.
    if (device->IsOffLine() && !m_bWritable)
        return false;
    return m_pObject->GetInstance() > 0;
}

bool ZRAttribute::IsWriteValid() {
    ZRDevice* device = m_rpDevice;
    if (!device || !m_pObject || !m_bWritable)
        return false;
    if (device->IsOffLine() && !m_bReadable)
        return false;
    return m_pObject->GetInstance() > 0;
}

bool ZRAttribute::Refresh(bool force) {
    if (!IsReadValid() || HasId() || m_RefreshList.empty())
        return false;
    for (ZRAttribute* attribute : m_RefreshList)
        attribute->Refresh(force);
    return true;
}

bool ZRAttribute::Validate(const std::string& text) {
    SetTestString(text);
    return RunValidations();
}

bool ZRAttribute::RunValidations() {
    for (const auto& validation : m_Validations) {
        std::string message;
        if (!validation->Test(message)) {
            ShowValidationMessage(WithName(message));
            return false;
        }
    }
    return true;
}

void ZRAttribute::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!subject || !m_pUnits || subject != static_cast<platform::core::Subject*>(m_pUnits))
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::UnitsChanged:
        Notify(ZRUpdate::UnitsChanged);
        break;
    case ZRUpdate::Destroying:
        m_pUnits->RemoveObserver(this);
        m_pUnits = nullptr;
        Notify(ZRUpdate::UnitsChanged);
        break;
    default:
        break;
    }
}

void ZRAttribute::SetName(const std::string& name) {
    if (name == m_Name)
        return;
    m_Name = name;
    Notify(ZRUpdate::NameChanged);
}

void ZRAttribute::SetUnits(const std::string& units) {
    if (!m_pUnits)
        m_Units = units;
}

void ZRAttribute::SetUnitsObject(ZRUnits* units) {
    if (m_pUnits)
        m_pUnits->RemoveObserver(this);
    m_pUnits = units;
    if (m_pUnits)
        m_pUnits->AddObserver(this);
}

std::string ZRAttribute::GetUnits() {
    return m_pUnits ? m_pUnits->GetUnits() : m_Units;
}

void ZRAttribute::SetEnabled(bool enabled) {
    m_bEnabled = enabled;
    Notify(ZRUpdate::EnabledChanged);
}

void ZRAttribute::SetHidden(bool hidden) {
    m_bHidden = hidden;
    Notify(ZRUpdate::HiddenChanged);
}

void ZRAttribute::CheckSupported() {
    if (!m_pObject)
        return;
    uint32_t version = m_pObject->GetVersion();
    if (version != 0 && (version < m_FirstVersion || version > m_LastVersion)) {
        m_bSupported = false;
        m_Attribute = -1;
    }
}

void ZRAttribute::SetRangeValidation(std::unique_ptr<ZRRangeValidation> validation) {
    ZRRangeValidation* kept = validation.get();
    AddValidation(std::move(validation));
    m_pRangeValidation = kept;
}

bool ZRAttribute::IsInclusiveMax() {
    return m_pRangeValidation ? m_pRangeValidation->IsInclusiveMax() : true;
}

bool ZRAttribute::IsInclusiveMin() {
    return m_pRangeValidation ? m_pRangeValidation->IsInclusiveMin() : true;
}

void ZRAttribute::AddValidation(std::unique_ptr<ZRValidation> validation) {
    if (!validation)
        return;
    validation->SetAttribute(this);
    m_Validations.push_back(std::move(validation));
}

void ZRAttribute::AddRefreshAttribute(ZRAttribute* attribute) {
    m_RefreshList.push_back(attribute);
}

void ZRAttribute::SetField(std::unique_ptr<ZRAttributeField> field) {
    m_pField = std::move(field);
    Save();
}

void ZRAttribute::SetTestString(const std::string& text) {
    m_TestString = platform::core::Trim(text);
}

std::string ZRAttribute::FormatBinary(int32_t value, int digits) {
    if (digits <= 0)
        return {};
    std::string out(static_cast<size_t>(digits), '0');
    int64_t v = value;
    for (int i = digits - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = (v & 1) ? '1' : '0';
        v >>= 1; // arithmetic: the sign bit repeats past 32 digits
    }
    return out;
}

bool ZRAttribute::IsOffLine() const {
    return m_rpDevice && m_rpDevice->IsOffLine();
}

ZRStorage* ZRAttribute::GetStorage() const {
    return m_rpDevice ? m_rpDevice->GetStorage() : nullptr;
}

int32_t ZRAttribute::GetClassId() const {
    return m_pObject ? m_pObject->GetClass() : 0;
}

int32_t ZRAttribute::GetInstance() const {
    return m_pObject ? m_pObject->GetInstance() : 0;
}

std::string ZRAttribute::WithName(const std::string& text) const {
    return m_Name.empty() ? text : Format("%s: %s", m_Name.c_str(), text.c_str());
}

void ZRAttribute::ShowNamed(const std::string& text) const {
    platform::core::MessageBox(WithName(text), {}, platform::core::MB_OK);
}

void ZRAttribute::ReportInvalidValue() {
    ShowNamed("Invalid Entry");
    Notify(ZRUpdate::ValueChanged);
}

void ZRAttribute::AskKeepReading(const ZRError& error, const char* question) {
    std::string text = WithName(error.GetMessage()) + "\n" + question;
    if (platform::core::MessageBox(text, {}, platform::core::MB_YESNO) == platform::core::IDNO)
        SetReadable(false);
}

int ZRAttribute::ShowValidationMessage(const std::string& text) {
    return ZRMsgBox().Show(text, 0, 0);
}

namespace {
// Reads an integer of the base as scanf does, widened so that 32-bit overflow can be seen.
bool ScanWide(const std::string& text, int base, long long& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(begin, &end, base);
    if (end == begin || errno == ERANGE)
        return false;
    value = v;
    return true;
}

// A minus sign wraps round, as "%u" and "%X" do.
bool ScanUnsigned(const std::string& text, int base, uint32_t& value) {
    long long v = 0;
    if (!ScanWide(text, base, v) || v < -static_cast<long long>(UINT32_MAX) || v > UINT32_MAX)
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}
} // namespace

bool ZRAttribute::ScanInt(const std::string& text, int32_t& value) {
    long long v = 0;
    if (!ScanWide(text, 10, v) || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ZRAttribute::ScanUInt(const std::string& text, uint32_t& value) {
    return ScanUnsigned(text, 10, value);
}

bool ZRAttribute::ScanHex(const std::string& text, uint32_t& value) {
    return ScanUnsigned(text, 16, value);
}

bool ZRAttribute::ScanDouble(const std::string& text, double& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin)
        return false;
    value = v;
    return true;
}

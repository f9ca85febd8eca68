#include "quorvance/fenwa/FenwaFollower.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaGearUpdateMgr.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaValGearRatio.h"

#include <initializer_list>
#include <utility>

namespace {

void BindCount(ZRUlongAttribute& count, ZRObject* owner, int32_t id, const char* name, double multiplier,
               double lo, double hi) {
    count.SetObject(owner);
    count.Define(id);
    count.SetName(name);
    count.SetScale(multiplier);
    count.SetValue(1);
    fenwa::StoredRange(count, lo, hi);
}

// A one-character field of the composite, when there is one; refreshing the selection refreshes it.
void BindSelection(ZRIndexSelection& selection, ZRObject* owner, const char* name,
                   std::initializer_list<std::pair<int32_t, const char*>> options,
                   ZRCompositeAttribute* composite, unsigned char start) {
    selection.SetObject(owner);
    selection.Define(fenwa::attr::kNone);
    selection.SetName(name);
    auto list = std::make_unique<ZRLongOptions>(owner, 2);
    for (const auto& [value, text] : options)
        list->Add(value, text);
    ZRLongOptions* raw = list.get();
    selection.SetOptions(std::move(list));
    if (!composite)
        return;
    auto field = std::make_unique<ZRAttributeField>(&selection, composite, start, 1);
    field->SetLongOptions(raw);
    selection.SetField(std::move(field));
    selection.AddRefreshAttribute(composite);
}

} // namespace

FenwaFollower::FenwaFollower()
    : m_pCommandType(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pControllerOutputType(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pGearRatio(std::make_unique<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ')),
      m_pMasterCounts(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pFollowerCounts(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pGearUpdateMgr(std::make_unique<FenwaGearUpdateMgr>(m_pMasterCounts.get(), m_pFollowerCounts.get(),
                                                            m_pGearRatio.get())) {
    SetClass(fenwa::kFollowerType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaFollower::~FenwaFollower() = default;

void FenwaFollower::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kFollowerType, "Follower");
    ZRObject* modes = GetParent();
    auto* drive = dynamic_cast<FenwaDrive*>(modes ? modes->GetParent() : nullptr);
    // The drive's "Pr-3.00" holds the command and output types in its characters.
    ZRCompositeAttribute* pr300 = drive ? drive->GetPr300() : nullptr;

    BindSelection(*m_pCommandType, this, "Command Type",
                  {{6, "Auxiliary Encoder"}, {2, "Step/Direction"}, {0, "Step Up/Step Down"}}, pr300, 3);
    m_pCommandType->SetAsString("Step Up/Step Down");
    BindSelection(*m_pControllerOutputType, this, "Controller Output Type",
                  {{0, "Line Drive"}, {1, "Open Collector"}}, pr300, 2);
    m_pControllerOutputType->SetValue(0);

    // The drive counts master pulses in fours.
    BindCount(*m_pMasterCounts, this, fenwa::attr::kGearRatioMasterCounts, "Gear Ratio Master Counts", 4, 4,
              65532);
    BindCount(*m_pFollowerCounts, this, fenwa::attr::kGearRatioFollowerCounts, "Gear Ratio Follower Counts",
              1, 1, 65535);

    m_pGearRatio->SetObject(this);
    m_pGearRatio->Define(fenwa::attr::kNone);
    m_pGearRatio->SetName("Gear Ratio");
    m_pGearRatio->SetUnits("Master Counts:Follower Counts");
    m_pGearRatio->SetValue("1:1");
    m_pGearRatio->AddRefreshAttribute(m_pMasterCounts.get());
    m_pGearRatio->AddRefreshAttribute(m_pFollowerCounts.get());
    m_pGearRatio->AddValidation(
        std::make_unique<FenwaValGearRatio>(m_pMasterCounts.get(), m_pFollowerCounts.get()));

    AddProperty(m_pMasterCounts.get());
    AddProperty(m_pFollowerCounts.get());
}

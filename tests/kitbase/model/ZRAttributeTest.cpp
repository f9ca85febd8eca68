#include "AttributeFixture.h"

#include "kitbase/model/ZR3232Attribute.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRHidingUpdateMgr.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRValIllegalChars.h"
#include "kitbase/model/ZRValStringLength.h"
#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <memory>

using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;

namespace {

// Reaches the protected helper of the base.
struct BinaryProbe : ZRLongAttribute {
    using ZRAttribute::FormatBinary;
};

} // namespace

TEST(ZRAttribute, NewAttributeHasTheDocumentedDefaults) {
    ZRDevice* device = nullptr;
    ZRStringAttribute a(device, 0, NoPadding, ' ');
    EXPECT_EQ(a.GetAttribute(), -1);
    EXPECT_TRUE(a.GetEnabled());
    EXPECT_TRUE(a.IsReadable());
    EXPECT_TRUE(a.IsWritable());
    EXPECT_TRUE(a.IsSupported());
    EXPECT_FALSE(a.IsHidden());
    EXPECT_EQ(a.GetFirstVersion(), 0u);
    EXPECT_EQ(a.GetLastVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(a.GetName(), "");
    EXPECT_EQ(a.GetUnits(), "");
    EXPECT_EQ(a.GetMax(), DBL_MAX);
    EXPECT_EQ(a.GetMin(), -DBL_MAX);
    EXPECT_EQ(a.GetKey(), "-1");
    EXPECT_TRUE(a.IsInclusiveMax());
    EXPECT_TRUE(a.IsInclusiveMin());
}

TEST(ZRAttribute, CheckSupportedClearsIdOutsideTheFirmwareWindow) {
    struct Case {
        uint32_t version;
        bool supported;
    } cases[] = {{0, true}, {0x00010005, false}, {0x00010000, true}, {0x00010004, true}, {0x0000FFFF, false}};
    for (const Case& c : cases) {
        AttributeOwner owner;
        ZRLongAttribute a(owner.object.GetDevice(), 4);
        owner.Bind(a, 7);
        a.SetFirstVersion(0x00010000);
        a.SetLastVersion(0x00010004);
        owner.object.SetVersion(c.version);
        a.CheckSupported();
        EXPECT_EQ(a.IsSupported(), c.supported) << std::hex << c.version;
        EXPECT_EQ(a.GetAttribute(), c.supported ? 7 : -1) << std::hex << c.version;
        // Never marked supported again here.
        owner.object.SetVersion(0x00010002);
        a.CheckSupported();
        EXPECT_EQ(a.IsSupported(), c.supported);
    }
}

TEST(ZRAttribute, ReadAndWriteValidityFollowDeviceFlagsAndInstance) {
    struct Case {
        bool device, offLine, readable, writable;
        int32_t instance;
        bool readValid, writeValid;
    } cases[] = {
        {true, true, true, true, 1, true, true},    {true, true, false, true, 1, false, false},
        {true, false, false, true, 1, false, true}, {true, true, true, false, 1, false, false},
        {true, false, true, false, 1, true, false}, {true, false, true, true, 0, false, false},
        {true, true, true, true, -1, false, false}, {false, true, true, true, 1, false, false},
    };
    for (const Case& c : cases) {
        AttributeOwner owner(c.offLine);
        if (!c.device)
            owner.object.SetDevice(nullptr);
        owner.object.SetInstance(c.instance);
        ZRLongAttribute a(owner.object.GetDevice(), 4);
        owner.Bind(a, 7);
        a.SetReadable(c.readable);
        a.SetWritable(c.writable);
        EXPECT_EQ(a.IsReadValid(), c.readValid) << &c - cases;
        EXPECT_EQ(a.IsWriteValid(), c.writeValid) << &c - cases;
    }
    ZRDevice* none = nullptr;
    ZRLongAttribute unowned(none, 4);
    EXPECT_FALSE(unowned.IsReadValid());
    EXPECT_FALSE(unowned.IsWriteValid());
}

TEST(ZRAttribute, NameEnabledAndHiddenChangesAreAnnounced) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 4);
    a.SetName("Speed");
    ReasonRecorder recorder(a);
    a.SetName("Speed");
    EXPECT_TRUE(recorder.reasons.empty());
    a.SetName("speed");
    a.SetEnabled(true);
    a.SetHidden(false);
    EXPECT_EQ(recorder.reasons,
              (std::vector<int>{ZRUpdate::NameChanged, ZRUpdate::EnabledChanged, ZRUpdate::HiddenChanged}));
}

TEST(ZRAttribute, UnitsModelWinsOverTextAndFallsBackWhenItGoes) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 4);
    a.SetUnits("rpm");
    auto units = std::make_unique<ZRUnits>();
    units->SetBaseUnits("A");
    a.SetUnitsObject(units.get());
    a.SetUnits("ignored");
    EXPECT_EQ(a.GetUnits(), "A");

    ReasonRecorder recorder(a);
    units->Notify(ZRUpdate::UnitsChanged);
    units->Notify(ZRUpdate::ValueChanged);
    units->Notify(ZRUpdate::Destroying);
    EXPECT_EQ(recorder.reasons, (std::vector<int>{ZRUpdate::UnitsChanged, ZRUpdate::UnitsChanged}));
    EXPECT_EQ(a.GetUnitsObject(), nullptr);
    EXPECT_TRUE(units->GetObservers().empty());
    EXPECT_EQ(a.GetUnits(), "rpm");
}

TEST(ZRAttribute, ValidateTrimsAndShowsOnlyTheFirstFailure) {
    ZRDevice* device = nullptr;
    ZRStringAttribute a(device, 0, NoPadding, ' ');
    EXPECT_TRUE(a.Validate(" 12 "));
    EXPECT_EQ(a.GetTestString(), "12");

    a.SetName("Label");
    a.AddValidation(std::make_unique<ZRValStringLength>(3, 0));
    a.AddValidation(std::make_unique<ZRValIllegalChars>());
    ModalScript script;
    script.ExpectMessage("Label: Cannot be more than 3 characters", IDOK);
    EXPECT_FALSE(a.Validate("a b c"));
    EXPECT_EQ(script.Seen().size(), 1u);
    EXPECT_TRUE(a.Validate("abc"));
}

TEST(ZRAttribute, RefreshWithoutIdRefreshesItsList) {
    AttributeOwner owner;
    ZRLongAttribute group(owner.object.GetDevice(), 4), first(owner.object.GetDevice(), 4),
        second(owner.object.GetDevice(), 4);
    group.SetObject(&owner.object);
    EXPECT_FALSE(group.ZRAttribute::Refresh(false)); // empty list: nothing to stand for
    owner.Bind(first, 1);
    owner.Bind(second, 2);
    owner.Long(1) = 11;
    owner.Long(2) = 22;
    group.AddRefreshAttribute(&first);
    group.AddRefreshAttribute(&second);
    EXPECT_TRUE(group.Refresh(false));
    EXPECT_EQ(first.GetInternalValue(), 11);
    EXPECT_EQ(second.GetInternalValue(), 22);
    EXPECT_EQ(group.GetInternalValue(), 0);
}

TEST(ZRAttribute, FormatBinaryTakesLowBitsMostSignificantFirst) {
    EXPECT_EQ(BinaryProbe::FormatBinary(5, 8), "00000101");
    EXPECT_EQ(BinaryProbe::FormatBinary(-1, 4), "1111");
    EXPECT_EQ(BinaryProbe::FormatBinary(6, 2), "10");
    EXPECT_EQ(BinaryProbe::FormatBinary(5, 0), "");
    EXPECT_EQ(BinaryProbe::FormatBinary(-2, 34), std::string(33, '1') + "0");
}

TEST(ZRAttribute, OnLineReadErrorAnsweredNoStopsReading) {
    AttributeOwner owner(false);
    ZRLongAttribute a(owner.object.GetDevice(), 4);
    owner.Bind(a, 7, "Speed");
    owner.storage.FailNext(ZRError(3, "Drive returned bad data"));
    {
        ModalScript script;
        script.ExpectMessage(
            "Speed: Drive returned bad data\nDo you want to access this parameter in the future?", IDNO);
        EXPECT_FALSE(a.Refresh(false));
    }
    EXPECT_FALSE(a.IsReadable());
    owner.storage.ResetCalls();
    ReasonRecorder recorder(a);
    EXPECT_TRUE(a.Refresh(true));
    EXPECT_EQ(owner.storage.Calls(), 0);
    EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
}

TEST(ZRAttribute, OnLineReadErrorAnsweredYesKeepsReading) {
    AttributeOwner owner(false);
    ZRLongAttribute a(owner.object.GetDevice(), 4);
    owner.Bind(a, 7);
    owner.storage.FailNext(ZRError(0, "Data doesn't exist"));
    ModalScript script;
    script.ExpectMessage("Data doesn't exist\nDo you want to access this parameter in the future?", IDYES);
    EXPECT_FALSE(a.Refresh(false));
    EXPECT_TRUE(a.IsReadable());
}

TEST(ZRAttribute, SaveErrorIsShownAndTheValueShownAgain) {
    AttributeOwner owner;
    ZRLongAttribute a(owner.object.GetDevice(), 4);
    owner.Bind(a, 7, "Speed");
    ReasonRecorder recorder(a);
    owner.storage.FailNext(ZRError(2, "Disk full"), "WriteLong");
    ModalScript script;
    script.ExpectMessage("Speed: Disk full", IDOK);
    EXPECT_FALSE(a.Save());
    EXPECT_EQ(script.Seen().back(), "Speed: Disk full");
    EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
}

// Rows observe every kind; each must tell them exactly once that it goes.
TEST(ZRAttribute, EveryKindAnnouncesItsDestructionOnce) {
    using Maker = std::function<std::unique_ptr<ZRAttribute>(ZRDevice*&)>;
    const Maker makers[] = {
        [](ZRDevice*& d) { return std::make_unique<ZRLongAttribute>(d, 4); },
        [](ZRDevice*& d) { return std::make_unique<ZRUlongAttribute>(d, 4); },
        [](ZRDevice*& d) { return std::make_unique<ZRFloatAttribute>(d); },
        [](ZRDevice*& d) { return std::make_unique<ZRBoolAttribute>(d, 4, -1); },
        [](ZRDevice*& d) { return std::make_unique<ZRGearAttribute>(d); },
        [](ZRDevice*& d) { return std::make_unique<ZR3232Attribute>(d); },
        [](ZRDevice*& d) { return std::make_unique<ZRLongBitField>(d, 4, 4); },
        [](ZRDevice*& d) { return std::make_unique<ZRStringAttribute>(d, 0, NoPadding, ' '); },
        [](ZRDevice*& d) { return std::make_unique<ZRCompositeAttribute>(d); },
    };
    ZRDevice* device = nullptr;
    for (const Maker& make : makers) {
        ReasonRecorder recorder;
        auto attribute = make(device);
        attribute->AddObserver(&recorder);
        attribute.reset();
        EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::Destroying}) << &make - makers;
    }
}

TEST(ZRHidingUpdateMgr, HidesTargetOnExactTextOnly) {
    ZRDevice* device = nullptr;
    ZRStringAttribute watched(device, 0, NoPadding, ' ');
    ZRLongAttribute target(device, 4);
    ZRHidingUpdateMgr manager(&watched, &target, {"Off", "None"});
    EXPECT_FALSE(target.IsHidden()); // not evaluated until the next change
    struct Case {
        const char* text;
        bool hidden;
    } cases[] = {{"Off", true}, {"On", false}, {"None", true}, {"off", false}};
    for (const Case& c : cases) {
        watched.SetAsString(c.text);
        EXPECT_EQ(target.IsHidden(), c.hidden) << c.text;
    }
}

TEST(ZRHidingUpdateMgr, LeavesWatchedAttributeWhenDestroyedAndForgetsItWhenItGoes) {
    ZRDevice* device = nullptr;
    ZRLongAttribute target(device, 4);
    auto watched = std::make_unique<ZRStringAttribute>(device, 0, NoPadding, ' ');
    {
        ZRHidingUpdateMgr manager(watched.get(), &target, {"x"});
        EXPECT_EQ(watched->GetObservers().size(), 1u);
    }
    EXPECT_TRUE(watched->GetObservers().empty());
    watched->SetAsString("x"); // would reach a deleted manager
    EXPECT_FALSE(target.IsHidden());

    ZRHidingUpdateMgr manager(watched.get(), &target, {"x"});
    watched.reset();
    EXPECT_EQ(manager.GetWatched(), nullptr);
}

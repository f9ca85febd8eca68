#include "quorvance/shell/ZRMasterRowFactory.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRMotorOptions.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRDynamicHeader.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRFileSelectionRow.h"
#include "kitbase/ui/ZRProgressRow.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRStringChoiceRow.h"
#include "platform/ui/CommonDialogs.h"
#include "quorvance/shell/ZRVersionRow.h"

#include <initializer_list>
#include <memory>

namespace {

using Kind = ZRMasterRowFactory::RowKind;
using Choice = ZRMasterRowFactory::Choice;

constexpr unsigned long kGreyLamp = 19703;
constexpr unsigned long kLitLamp = 19704;

bool In(int32_t id, std::initializer_list<int32_t> ids) {
    for (int32_t i : ids)
        if (i == id)
            return true;
    return false;
}
bool Between(int32_t id, int32_t first, int32_t last) {
    return id >= first && id <= last;
}
bool Named(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == n)
            return true;
    return false;
}

Choice Row(Kind kind) {
    return Choice{kind, ZRMasterRowFactory::NoExtra, 0, 0};
}
Choice Lamp(unsigned long falseBitmap, unsigned long trueBitmap) {
    return Choice{Kind::Bool, ZRMasterRowFactory::Bitmaps, falseBitmap, trueBitmap};
}
// Editable as a property, read-only among the status and monitor rows.
Choice EditOrText(bool status) {
    return Row(status ? Kind::AsString : Kind::Edit);
}

// ---- Merrix objects, keyed by the attribute id.

bool IsMerrixListed(int32_t type) {
    return In(type, {1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 22, 23, 24, 25, 27, 28});
}

Choice SelectMerrix(int32_t type, int32_t id, const std::string& name, bool writable, bool status) {
    switch (type) {
    case 1: // jog
        return Row(Between(id, 130, 132) ? Kind::Edit : Kind::AsString);
    case 2: // digital input
    case 3: // digital output
        if (id == 128)
            return Choice{Kind::Bool, ZRMasterRowFactory::OwnerNameHeader, 0, 0};
        return Row(id == 129 ? Kind::Choice : Kind::Edit);
    case 7: // move
        return Row(Between(id, 128, 131) ? Kind::Edit : Kind::AsString);
    case 8: // program
        return Row(id == 131 ? Kind::Choice : Kind::AsString);
    case 9: // position regulator
        if (id == -1 || Between(id, 188, 190))
            return Row(Kind::BoolEdit);
        if (Between(id, 128, 133) || In(id, {136, 137, 162, 163, 179, 180, 184, 185}))
            return EditOrText(status);
        if (In(id, {161, 186, 187}))
            return Row(Kind::Choice);
        return Row(id == 177 ? Kind::Bool : Kind::AsString);
    case 10: // velocity regulator
        if (Between(id, 128, 133) || Between(id, 136, 138) || In(id, {162, 163}) || Between(id, 193, 195))
            return EditOrText(status);
        if (id == 139)
            return Row(Kind::BoolEdit);
        return Row(In(id, {161, 192}) ? Kind::Choice : Kind::AsString);
    case 11: // current regulator
        if (In(id, {160, 184, 185, 186, 188, 189}))
            return EditOrText(status);
        if (In(id, {161, 187}))
            return Row(status ? Kind::AsString : Kind::BoolEdit);
        return Row(Kind::AsString);
    case 12: // drive settings
        return Row(name == "Series" && writable ? Kind::Choice : Kind::AsString);
    case 13: // motor
        if (id == 129)
            return Row(Kind::MotorChoice);
        if (In(id, {149, 157}))
            return EditOrText(status);
        if (id == 192)
            return Row(Kind::Choice);
        return Row(id == 193 ? Kind::BoolEdit : Kind::AsString);
    case 14: // encoder
        if (In(id, {129, 130}))
            return Row(Kind::BoolEdit);
        return Row(id == 136 ? Kind::Choice : Kind::AsString);
    case 15: // axis
        return Row(id == 128 ? Kind::Bool : Kind::AsString);
    case 16: // drive
        if (id == 2)
            return Row(Kind::Edit);
        if (id == -1) {
            if (name == "Drive Type")
                return Row(Kind::Choice);
            return Row(name == "Drive Address" ? Kind::AsString : Kind::Edit);
        }
        if (In(id, {129, 131, 137}))
            return Row(Kind::Version);
        if (In(id, {133, 136}))
            return Row(Kind::Choice);
        return Row(In(id, {151, 153, 176}) ? Kind::Bool : Kind::AsString);
    case 17: // gear
        if (id == 128)
            return Row(Kind::Bool);
        if (In(id, {129, 138, 139}))
            return Row(Kind::Edit);
        return Row(id == 136 ? Kind::BoolEdit : Kind::AsString);
    case 18: // cam
        return Row(id == 147 ? Kind::Edit : Kind::AsString);
    case 19: // gear ratchet
        if (id == 128)
            return Row(Kind::Bool);
        return Row(In(id, {129, 130}) ? Kind::BoolEdit : Kind::AsString);
    case 22: // analog input
        return Row(In(id, {2, 128, 129}) ? Kind::Edit : Kind::AsString);
    case 23: // analog output
        if (id == 2 || Between(id, 128, 130))
            return Row(Kind::Edit);
        if (id == 132)
            return Row(Kind::BoolEdit);
        return Row(id == 133 ? Kind::Channel : Kind::AsString);
    case 24: // program variable
        return Row(id == 2 ? Kind::Edit : Kind::VarValue);
    case 25: // sequencer frame
        return Row(id == 128 ? Kind::Progress : Kind::AsString);
    case 27: // cam table
        return Row(Kind::AsString);
    case 28: // encoder output
        return Row(Between(id, 128, 130) ? Kind::Choice : Kind::AsString);
    default:
        return Row(Kind::AsString);
    }
}

// ---- Tarvik blocks, the DeviceNet blocks and unlisted owners, keyed by the parameter number.

bool IsTarvikListed(int32_t type) {
    return Between(type, -178, -163) && type != -164;
}

Choice SelectTarvik(int32_t type, int32_t id, int32_t p, const std::string& name, bool isIndexSelection,
                    bool status) {
    switch (type) {
    case -178: // drive, indexing
    case -177: // drive, standard
        if (p == 34)
            return EditOrText(status);
        if (In(p, {67, 80, 81, 90, 131, 158}))
            return Row(Kind::Choice);
        if (In(p, {117, 122, 127, 139, 188, 264}))
            return Row(Kind::AsString);
        if (In(p, {171, 221, 404, 455}))
            return Row(Kind::BoolEdit);
        if (In(p, {186, 207}))
            return Row(Kind::Bool);
        if (p == 350)
            return Row(isIndexSelection ? Kind::Choice : Kind::BoolEdit);
        return Row(Kind::Edit);
    case -176: // analog input
        if (p == 122)
            return Row(Kind::AsString);
        if (p == 168)
            return Row(Kind::BoolEdit);
        return Row(p == 207 ? Kind::Bool : Kind::Edit);
    case -175: // presets
        if (p == 169)
            return Row(Kind::BoolEdit);
        return Row(p == 186 ? Kind::Bool : Kind::Edit);
    case -174: // follower
        if (p == 30)
            return Row(Kind::BoolEdit);
        return Row(p == 186 ? Kind::Bool : Kind::Edit);
    case -173: // indexing
        if (p == 88)
            return Row(Kind::BoolEdit);
        if (In(p, {174, 182, 454}))
            return Row(Kind::Choice);
        if (Between(p, 175, 181) || In(p, {183, 185}))
            return Row(Kind::Edit);
        return Row(In(p, {186, 187, 207}) ? Kind::Bool : Kind::AsString);
    case -172: // homing
        if (In(p, {186, 207}))
            return Row(Kind::Bool);
        if (In(p, {196, 197}))
            return Row(Kind::Choice);
        return Row(In(p, {202, 203}) ? Kind::BoolEdit : Kind::Edit);
    case -171: // motor
        if (p == 120)
            return Row(Kind::Edit);
        if (p == 235)
            return Row(status ? Kind::AsString : Kind::MotorChoice);
        if (p == 287)
            return EditOrText(status);
        return Row(p == 345 ? Kind::BoolEdit : Kind::AsString);
    case -170: // tuning
        if (Between(p, 17, 21) || Between(p, 31, 33) || Between(p, 50, 54))
            return Row(Kind::Spin);
        if (In(p, {45, 451, 452}))
            return Row(Kind::Edit);
        if (p == 46)
            return Row(Kind::BoolEdit);
        return Row(p == 186 ? Kind::Bool : Kind::AsString);
    case -169: // encoders
        if (id == -1) {
            if (name == "Blob File")
                return Row(Kind::BlobFile);
            return Row(name == "Status" ? Kind::AsString : Kind::Edit);
        }
        if (p == 28)
            return Row(Kind::BoolEdit);
        if (In(p, {44, 237, 238, 239, 259}))
            return Row(Kind::Choice);
        if (In(p, {89, 255, 256, 257}))
            return Row(Kind::Edit);
        return Row(In(p, {126, 127, 399}) ? Kind::AsString : Kind::Bool);
    case -168: // digital inputs
        return Row(p == 105 ? Kind::CheckList : Kind::Bool);
    case -167: // digital outputs
        if (In(p, {69, 70}))
            return Row(Kind::Edit);
        return Row(p == 206 ? Kind::CheckList : Kind::Bool);
    case -166: // analog output
        if (p == 75)
            return Row(Kind::Choice);
        return Row(p == 125 ? Kind::AsString : Kind::Edit);
    case -165: // faults
        if (In(p, {116, 186, 207, 414}))
            return Row(Kind::Bool);
        return Row(p == 271 ? Kind::BoolEdit : Kind::Edit);
    case -163: // service information
        if (p == 2)
            return Row(Kind::VersionTarvik);
        if (In(p, {150, 282, 377}))
            return EditOrText(status);
        if (In(p, {151, 470}))
            return Row(Kind::Choice);
        return Row(p == 154 ? Kind::AsString : Kind::Edit);
    default:
        return Row(Kind::AsString);
    }
}

Choice SelectTarvikDeviceNet(int32_t p) {
    if (p == 42)
        return Row(Kind::BoolEdit);
    if (In(p, {87, 355, 358}))
        return Row(Kind::CheckList);
    if (p == 352)
        return Row(Kind::Edit);
    return Row(In(p, {353, 354, 356, 357, 360, 361}) ? Kind::Choice : Kind::Bool);
}

// Every owner that no other rule lists: the oscilloscopes, the monitor, the broken drives, ...
Choice SelectUnlisted(int32_t p) {
    if (p == 2)
        return Row(Kind::VersionTarvik);
    return Row(In(p, {115, 116, 118, 119, 148, 186, 187, 207}) ? Kind::Bool : Kind::AsString);
}

Choice SelectMerrixDeviceNet(int32_t id, const std::string& name, bool writable) {
    if (id == -1 && writable)
        return Row(name == "Node Address" ? Kind::Edit : Kind::Choice);
    return Row(Kind::AsString);
}

// ---- Fenwa and Zelna blocks, keyed by the attribute id. Their twins share the rules where the
// rule tables match.

Choice SelectDigitalInput(int32_t type, int32_t id, const std::string& name) {
    if (id == -1) {
        if (name.find("Input ") == std::string::npos)
            return Row(Kind::None);
        return Row(type == -146 ? Kind::CheckList : Kind::Choice);
    }
    if (id == 0x4000F)
        return name == "Fault State" ? Lamp(kLitLamp, kGreyLamp) : Row(Kind::Bool);
    return Row(Kind::Edit);
}

Choice SelectDigitalOutput(int32_t id, const std::string& name) {
    if (id == -1)
        return Row(name.find("Output ") == std::string::npos ? Kind::None : Kind::Choice);
    return Row(id == 0x4000F ? Kind::Bool : Kind::Edit);
}

Choice SelectEncoder(int32_t id, const std::string& name, bool status) {
    if (id == -1) {
        if (Named(name, {"Output Ratio", "Serial Number"}))
            return Row(Kind::Edit);
        if (name == "Tef File")
            return Row(Kind::TefFile);
        return Row(name == "Status" ? Kind::AsString : Kind::BoolEdit);
    }
    if (id == 0x40017)
        return Row(Kind::Bool);
    return EditOrText(status);
}

Choice SelectFaults(int32_t id, const std::string& name, bool status) {
    if (id == -1) {
        if (name == "Scale Type")
            return Row(Kind::Choice);
        return Row(Named(name, {"Scale", "Offset"}) ? Kind::Edit : Kind::Bool);
    }
    if (Between(id, 0x5025F, 0x50262))
        return Row(Kind::Channel);
    return EditOrText(status);
}

bool IsFenwaListed(int32_t type) {
    return In(type, {-151, -149, -148, -147, -146, -145, -143, -142, -141, -140, -139, -138});
}

Choice SelectFenwa(int32_t type, int32_t id, const std::string& name, bool status) {
    switch (type) {
    case -151: // drive
        if (In(id, {0, 213, 960}))
            return Row(Kind::Choice);
        if (id == -1) {
            if (name == "Fault and Disable Braking")
                return Row(Kind::Choice);
            if (Named(name, {"In Speed Window", "In Position", "Up to Speed", "Positive Overtravel",
                             "Negative Overtravel", "Enabled"}))
                return Row(Kind::Bool);
            if (Named(name, {"Command Polarity", "Power Input", "Acceleration Limits",
                             "Over Travel Stop Method", "Auto Motor Iden"}))
                return Row(Kind::BoolEdit);
        }
        return EditOrText(status);
    case -149: // presets
    case -148: // analog input
        return EditOrText(status);
    case -147: // follower
        if (id == -1)
            return Row(name == "Gear Ratio" ? Kind::Edit : Kind::Choice);
        return EditOrText(status);
    case -146: // digital inputs
        return SelectDigitalInput(type, id, name);
    case -145: // digital outputs
        return SelectDigitalOutput(id, name);
    case -143: // motor
        if (id == -1)
            return Row(Kind::BoolEdit);
        return id == 950 ? Row(Kind::MotorChoice) : EditOrText(status);
    case -142: // encoder
        return SelectEncoder(id, name, status);
    case -141: // tuning
        if (In(id, {110, 114}))
            return Row(Kind::Choice);
        if (id == -1)
            return Row(name == "Adaptive Tuning Response" ? Kind::Choice : Kind::Edit);
        return EditOrText(status);
    case -140: // analog output
        if (In(id, {512, 513}))
            return Row(Kind::Channel);
        return In(id, {514, 515}) ? Row(Kind::Edit) : EditOrText(status);
    case -139: // faults
        return SelectFaults(id, name, status);
    case -138: // service information
        if (status)
            return Row(Kind::AsString);
        return Row(id == 700 || name == "Drive Model1" ? Kind::Choice : Kind::Edit);
    default:
        return Row(Kind::AsString);
    }
}

bool IsZelnaListed(int32_t type) {
    return In(type, {-136, -134, -133, -132, -131, -130, -129, -127, -126, -125, -124, -123, -122, -120});
}

Choice SelectZelna(int32_t type, int32_t id, const std::string& name, bool status) {
    switch (type) {
    case -136: // drive
        if (In(id, {0, 1, 213, 960}))
            return Row(Kind::Choice);
        if (In(id, {0x40019, 0x4001A, 0x4001D, 0x4001E}))
            return Lamp(kGreyLamp, kLitLamp);
        if (id == 0x60004)
            return Row(Kind::BoolEdit);
        if (id == -1) {
            if (Named(name,
                      {"Fault and Disable Braking", "Baudrate", "Frame Format", "Protocol",
                       "Communication Method", "MODBUS Run Function Control", "MODBUS Input Function Control",
                       "Encoder Backup Battery", "Velocity Observer", "Excessive Speed Error Monitor",
                       "Emergency Stop Input", "Motor over-temperature detection", "AC Line Loss Check",
                       "Incremental Feedback Loss"}))
                return Row(Kind::Choice);
            if (Named(name, {"Within Speed Window", "Within Position Window", "Up to Speed",
                             "Positive Overtravel", "Negative Overtravel", "Enabled"}))
                return Row(Kind::Bool);
            if (Named(name, {"Command Polarity", "Acceleration Limits", "Over Travel Stop Method",
                             "Auto Motor Iden"}))
                return Row(Kind::BoolEdit);
        }
        return EditOrText(status);
    case -134: // presets
    case -133: // analog input
        return EditOrText(status);
    case -132: // follower
        if (id == -1)
            return Row(Named(name, {"1st Gear Ratio", "2nd Gear Ratio"}) ? Kind::Edit : Kind::Choice);
        return EditOrText(status);
    case -131: // indexing
        if (Named(name, {"Mode", "Action When Complete"}))
            return Row(Kind::Choice);
        if (id == 0x4001E)
            return Row(Kind::Bool);
        return id == 0x60000 ? Row(Kind::BoolEdit) : EditOrText(status);
    case -130: // digital inputs
        return SelectDigitalInput(type, id, name);
    case -129: // digital outputs
        return SelectDigitalOutput(id, name);
    case -127: // motor
        if (id == -1)
            return Row(Kind::BoolEdit);
        if (id == 1)
            return Row(Kind::Choice);
        return id == 950 ? Row(Kind::MotorChoice) : EditOrText(status);
    case -126: // encoder
        return SelectEncoder(id, name, status);
    case -125: // tuning
        if (In(id, {117, 121}))
            return Row(Kind::Choice);
        if (id == -1)
            return Row(
                Named(name,
                      {"Adaptive Tuning Response", "Off-Line Tuning Mode",
                       "On-Line Vibration Suppression Mode", "On-Line Vibration Suppression Gain",
                       "Velocity Command Filter on Follower", "Gain Change Enable", "Mode of Gain Switching"})
                    ? Kind::Choice
                    : Kind::Edit);
        return EditOrText(status);
    case -124: // analog output
        if (In(id, {513, 514}))
            return Row(Kind::Channel);
        return In(id, {515, 516}) ? Row(Kind::Edit) : EditOrText(status);
    case -123: // faults
        return SelectFaults(id, name, status);
    case -122: // service information
        if (status)
            return Row(Kind::AsString);
        if (In(id, {700, 702}) || Named(name, {"Drive Model", "Product Code"}))
            return Row(Kind::Choice);
        if (In(id, {307, 605}) || Named(name, {"AQB Swap", "Dynamic Brake Circuit Protection"}))
            return Row(Kind::BoolEdit);
        return Row(Kind::Edit);
    case -120: // homing
        if (id == 0x4001E)
            return Row(Kind::Bool);
        if (In(id, {0x60064, 0x60065}))
            return Row(Kind::Choice);
        return id == 0x6006A ? Row(Kind::BoolEdit) : EditOrText(status);
    default:
        return Row(Kind::AsString);
    }
}

constexpr const char* kBlobFilter = "Motor Blob File (*.blb)|*.blb|All Files (*.*)|*.*||";
constexpr const char* kTefFilter = "Motor Tef File (*.tef)|*.tef|All Files (*.*)|*.*||";

} // namespace

ZRMasterRowFactory* ZRMasterRowFactory::s_pInstance = nullptr;

ZRMasterRowFactory* ZRMasterRowFactory::Instance() {
    if (!s_pInstance)
        s_pInstance = new ZRMasterRowFactory;
    return s_pInstance;
}

void ZRMasterRowFactory::DestroyInstance() {
    delete s_pInstance;
    s_pInstance = nullptr;
}

ZRMasterRowFactory::~ZRMasterRowFactory() = default;

ZRMasterRowFactory::Choice ZRMasterRowFactory::SelectRow(int32_t ownerType, int32_t id,
                                                         const std::string& name, bool writable,
                                                         bool isIndexSelection, bool status) {
    // Tarvik parameter number: the array index (low 16 bits) never changes the row.
    int32_t p = static_cast<int32_t>((static_cast<uint32_t>(id) >> 16) & 0x1FF);
    if (IsMerrixListed(ownerType))
        return SelectMerrix(ownerType, id, name, writable, status);
    if (IsTarvikListed(ownerType))
        return SelectTarvik(ownerType, id, p, name, isIndexSelection, status);
    if (ownerType == -156)
        return SelectTarvikDeviceNet(p);
    if (ownerType == -152)
        return SelectMerrixDeviceNet(id, name, writable);
    if (IsFenwaListed(ownerType))
        return SelectFenwa(ownerType, id, name, status);
    if (IsZelnaListed(ownerType))
        return SelectZelna(ownerType, id, name, status);
    return SelectUnlisted(p);
}

ZRGridRow* ZRMasterRowFactory::MakeMotorRow(ZRAttribute* attribute, ZRMotorRS* recordset,
                                            const std::string& filter) {
    auto row = std::make_unique<ZRStringChoiceRow>(attribute, nullptr);
    // A copy: later changes to the catalogue leave an open row as it is.
    ZRMotorOptions options(attribute->GetObject(), recordset, filter);
    row->SetOptions(options.GetStrings());
    return row.release();
}

ZRGridRow* ZRMasterRowFactory::CreateRow(ZRAttribute* attribute, bool status) {
    if (!attribute)
        return nullptr;
    ZRObject* owner = attribute->GetObject();
    int32_t type = owner ? owner->GetClass() : 0;
    Choice choice = SelectRow(type, attribute->GetAttribute(), attribute->GetName(), attribute->IsWritable(),
                              dynamic_cast<ZRIndexSelection*>(attribute) != nullptr, status);

    // A rule that names a row of another attribute kind than the one given would misread it: such
    // an attribute is shown read-only instead.
    auto asText = [&] { return static_cast<ZRGridRow*>(new ZRAsStringRow(attribute, nullptr)); };
    switch (choice.kind) {
    case RowKind::None:
        return nullptr;
    case RowKind::AsString:
        return asText();
    case RowKind::Edit:
        return new ZREditRow(attribute, nullptr);
    case RowKind::Choice:
        if (auto* selection = dynamic_cast<ZRIndexSelection*>(attribute))
            return new ZRChoiceRow(selection, nullptr);
        return asText();
    case RowKind::Bool:
        if (auto* boolean = dynamic_cast<ZRBoolAttribute*>(attribute)) {
            std::unique_ptr<ZRRowHeader> header;
            if ((choice.extra & OwnerNameHeader) && owner)
                header = std::make_unique<ZRDynamicHeader>(&owner->GetName());
            auto* row = new ZRBoolRow(boolean, std::move(header));
            if (choice.extra & Bitmaps)
                row->SetBitmaps(choice.falseBitmap, choice.trueBitmap);
            return row;
        }
        return asText();
    case RowKind::BoolEdit:
        if (auto* boolean = dynamic_cast<ZRBoolAttribute*>(attribute))
            return new ZRBoolEditRow(boolean, nullptr);
        return asText();
    case RowKind::CheckList:
        if (auto* bits = dynamic_cast<ZRLongBitField*>(attribute))
            return new ZRCheckListRow(bits, nullptr);
        return asText();
    case RowKind::Spin:
        if (auto* numeric = dynamic_cast<ZRValAttribute*>(attribute))
            return new ZRSpinRow(numeric, nullptr);
        return asText();
    case RowKind::Progress:
        if (auto* number = dynamic_cast<ZRFloatAttribute*>(attribute))
            return new ZRProgressRow(number, nullptr);
        return asText();
    case RowKind::BlobFile:
        return new ZRFileSelectionRow(attribute, 1, "blb", platform::ui::FD_FILEMUSTEXIST, kBlobFilter,
                                      nullptr);
    case RowKind::TefFile:
        return new ZRFileSelectionRow(attribute, 1, "tef", platform::ui::FD_FILEMUSTEXIST, kTefFilter,
                                      nullptr);
    case RowKind::Version:
        return new ZRVersionRow(attribute, nullptr);
    // The rows below need the family classes: each family makes its own here.
    //  MotorChoice: MakeMotorRow with the motor block's recordset and filter (Merrix 13, Tarvik
    //               -171 with its fixed filter, Fenwa -143, Zelna -127).
    //  VersionTarvik: the Tarvik version row.
    //  VarValue: the program variable's value row ("Value" header for a single element).
    //  Channel: the family's channel row over its channel option list.
    case RowKind::MotorChoice:
    case RowKind::VersionTarvik:
    case RowKind::VarValue:
    case RowKind::Channel:
        return nullptr;
    }
    return nullptr;
}

#include "kitbase/ui/CGridControlFactory.h"

#include "kitbase/ui/ZRCheckListComboBox.h"
#include "kitbase/ui/ZRComboBox.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/StandardControls.h"

std::unique_ptr<platform::ui::CellControl> CGridControlFactory::CreateControl(int id) {
    namespace Id = platform::ui::CellControlId;
    switch (id) {
    case Id::FindTextCombo:
        return std::make_unique<ZRComboBox>(1);
    case Id::TextCombo:
        return std::make_unique<ZRComboBox>(2);
    case Id::OneBasedList:
        return std::make_unique<ZRComboBox>(8);
    case Id::IndexList:
        return std::make_unique<ZRComboBox>(4);
    case Id::OneBasedTextList:
        return std::make_unique<ZRComboBox>(24);
    case Id::IndexTextList:
        return std::make_unique<ZRComboBox>(20);
    case Id::CheckList:
        return std::make_unique<ZRCheckListComboBox>();
    default:
        break;
    }
    if (auto control = platform::ui::MakeStandardControl(id))
        return control;
    return std::make_unique<platform::ui::EditControl>();
}

const std::vector<int>& CGridControlFactory::ControlIds() {
    static const std::vector<int> ids{52512, 52520, 52527, 52517, 52526, 52525, 52531, 52532, 52513,
                                      52514, 52515, 52524, 52516, 52523, 52536, 52542, 52519, 52518};
    return ids;
}

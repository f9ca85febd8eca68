#include "quorvance/fenwa/FenwaAnalogOutNodeMgr.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/core/Text.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/shell/ZRImages.h"

#include <memory>

namespace {

constexpr unsigned long kHelpTopic = 1146;
constexpr unsigned long kPropsHelpTopic = 1147;
constexpr short kReportIndent = 6;
constexpr short kValueColumn = 40;

// Moves the shared report indent on for its lifetime, so it comes back even when a read throws.
class ReportIndent {
public:
    ReportIndent() { ZRNodeMgr::s_Indent += kReportIndent; }
    ~ReportIndent() { ZRNodeMgr::s_Indent -= kReportIndent; }
    ReportIndent(const ReportIndent&) = delete;
    ReportIndent& operator=(const ReportIndent&) = delete;
};

} // namespace

FenwaAnalogOutNodeMgr::FenwaAnalogOutNodeMgr(FenwaAnalogOut* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaAnalogOutNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    SetUp({IDR_FENWA_NODE_MENU, kFenwaAnalogOutMenu, "%s - Analog Outputs", ZRImages::IDI_ANALOG_OUTPUTS,
           kHelpTopic, kPropsHelpTopic},
          MenuItem("AnalogOutputs", {MenuItem(ID_PROPERTIES, "Properties...")}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Analog Outputs");
    for (int n = 1; n <= FenwaAnalogOut::kOutputs; ++n) {
        auto output = std::make_unique<ZRPropertyGroup>();
        output->SetName(platform::core::Format("Analog Output %d", n));
        output->AddProperty(m_pBlock->GetSignal(n));
        output->AddProperty(m_pBlock->GetScale(n));
        m_Properties.AddGroup(std::move(output));
    }
}

void FenwaAnalogOutNodeMgr::Report(std::string& text) {
    if (!m_pBlock)
        return;
    text += "   Analog Outputs";
    text += ":\r\n";
    ReportIndent indent;
    for (int n = 1; n <= FenwaAnalogOut::kOutputs; ++n) {
        text += platform::core::Format("      Analog Output %d\n", n);
        ZRUlongAttribute* signal = m_pBlock->GetSignal(n);
        try {
            signal->Refresh(false);
        } catch (const ZRError&) {
            // The line names the signal the attribute holds after the attempt.
        }
        const std::string& name = signal->GetName();
        const long gap = long(kValueColumn) - long(s_Indent) - static_cast<long>(name.size());
        text += "         " + name + std::string(static_cast<size_t>(gap < 1 ? 1 : gap), ' ');
        // A signal the list does not hold is reported without a name.
        ZRChannelOptionList* options = m_pBlock->GetChannelOptionList();
        if (ZRChannelOption* option = options ? options->FindOption(signal->GetInternalValue()) : nullptr)
            text += option->GetName();
        text += "\r\n";
        text += BuildReportLine(m_pBlock->GetScale(n), s_Indent, kValueColumn, std::string());
        text += "\r\n";
    }
}

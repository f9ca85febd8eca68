#include "quorvance/fenwa/FenwaHostCmnd.h"

#include "platform/core/HexDigit.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/ZRCommError.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

namespace {

using platform::ui::ControlSpec;

constexpr size_t kMinCommand = 6;
// STX before the reply, checksum character and ETX after it.
constexpr size_t kReplyFraming = 3;

std::vector<ControlSpec> Controls() {
    using D = FenwaHostCmnd;
    return {
        ControlSpec::Static(-1, "&Command"),
        ControlSpec::Static(D::IDC_COMMAND_STX, "STX"),
        ControlSpec::Edit(D::IDC_COMMAND),
        ControlSpec::Static(-1, ":"),
        ControlSpec::Edit(D::IDC_COMMAND_CHECKSUM),
        ControlSpec::Static(-1, "*"),
        ControlSpec::Static(D::IDC_COMMAND_ETX, "ETX"),
        ControlSpec::Static(-1, "Response"),
        ControlSpec::Static(D::IDC_RESPONSE_STX, "STX"),
        ControlSpec::Edit(D::IDC_RESPONSE),
        ControlSpec::Edit(D::IDC_RESPONSE_CHECKSUM),
        ControlSpec::Static(-1, "*"),
        ControlSpec::Static(D::IDC_RESPONSE_ETX, "ETX"),
        ControlSpec::DefaultButton(D::IDC_SEND, "&Send"),
        ControlSpec::Button(D::IDC_CLOSE, "Cl&ose"),
        ControlSpec::Static(-1, "* Checksum"),
        ControlSpec::Static(-1, "History (double click a line to copy to Command)"),
        ControlSpec::List(D::IDC_HISTORY),
    };
}

} // namespace

FenwaHostCmnd::FenwaHostCmnd(QWidget* parent) : Dialog(IDD, "Fenwa Host Command", Controls(), parent) {}

FenwaHostCmnd::~FenwaHostCmnd() = default;

FenwaHostCmnd* FenwaHostCmnd::ShowShared() {
    // Held by the main window, which deletes it with itself; the pointer then clears.
    static QPointer<FenwaHostCmnd> shared;
    if (!shared) {
        ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
        shared = new FenwaHostCmnd(app ? app->GetMainWindow() : nullptr);
    }
    if (!shared->IsCreated())
        shared->Create();
    shared->show();
    shared->raise();
    shared->activateWindow();
    return shared;
}

unsigned FenwaHostCmnd::NodeOf(const std::string& command) {
    unsigned node = 0;
    for (size_t i = 0; i < 2 && i < command.size(); ++i) {
        const int digit = platform::core::HexDigitValue(command[i]);
        if (digit < 0)
            break;
        node = node * 16 + static_cast<unsigned>(digit);
    }
    return node;
}

std::string FenwaHostCmnd::ChecksumOf(const std::string& command) {
    if (command.empty())
        return {};
    // The frame carries the node as two digits of its own, whatever was typed for it.
    const unsigned node = NodeOf(command);
    std::string framed(1, '\x02');
    framed += node != 0 ? platform::core::Format("%02X", node) : command.substr(0, 2);
    if (command.size() > 2)
        framed += command.substr(2);
    framed += ':';
    const unsigned char sum = FenwaComm::CalcChecksum(reinterpret_cast<const unsigned char*>(framed.data()),
                                                      static_cast<int>(framed.size()));
    return std::string(1, static_cast<char>(sum));
}

bool FenwaHostCmnd::OnInitDialog() {
    for (int id : {IDC_COMMAND_CHECKSUM, IDC_RESPONSE, IDC_RESPONSE_CHECKSUM})
        if (auto* edit = qobject_cast<QLineEdit*>(Item(id)))
            edit->setReadOnly(true);
    if (auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY))) {
        list->setMinimumHeight(list->fontMetrics().height() * 8);
        connect(list, &QListWidget::itemDoubleClicked, this, [this] { CopyHistoryLine(); });
    }
    Dialog::OnInitDialog();
    return true;
}

void FenwaHostCmnd::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_COMMAND, m_Command);
    dx.Text(IDC_RESPONSE, m_Response);
    dx.Text(IDC_COMMAND_CHECKSUM, m_CommandChecksum);
    dx.Text(IDC_RESPONSE_CHECKSUM, m_ResponseChecksum);
}

// Enter sends; the dialog stays.
void FenwaHostCmnd::OnOK() {
    Send();
}

void FenwaHostCmnd::OnButton(int id) {
    if (id == IDC_SEND)
        Send();
    else if (id == IDC_CLOSE)
        hide();
}

void FenwaHostCmnd::OnControlChanged(int id) {
    if (id != IDC_COMMAND)
        return;
    // The field keeps its text in upper case, typed or pasted.
    auto* edit = qobject_cast<QLineEdit*>(Item(IDC_COMMAND));
    if (edit && edit->text() != edit->text().toUpper()) {
        const int cursor = edit->cursorPosition();
        edit->setText(edit->text().toUpper());
        edit->setCursorPosition(cursor);
    }
    ShowChecksum();
}

void FenwaHostCmnd::ShowChecksum() {
    UpdateData(true);
    m_CommandChecksum = ChecksumOf(m_Command);
    UpdateData(false);
}

void FenwaHostCmnd::Send() {
    platform::ui::WaitCursor wait;
    UpdateData(true);
    if (m_Command.size() < kMinCommand) {
        wait.Restore();
        platform::core::MessageBox("Invalid Command");
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY)))
        list->insertItem(0, platform::ui::ToQString(m_Command));
    const unsigned node = NodeOf(m_Command);
    if (node == 0) {
        wait.Restore();
        platform::core::MessageBox("Invalid Node");
        return;
    }
    const std::string message = m_Command.substr(2);
    m_ResponseChecksum.clear();
    try {
        // The link leaves the raw reply, STX to ETX, in the field; a time-out leaves the field as it was.
        FenwaComm::Instance()->DumbTerminalMsg(static_cast<short>(node), message, m_Response);
        // A reply shorter than its framing is shown as it came.
        if (m_Response.size() >= kReplyFraming) {
            m_ResponseChecksum = m_Response.substr(m_Response.size() - 2, 1);
            m_Response = m_Response.substr(1, m_Response.size() - kReplyFraming);
        }
    } catch (const ZRCommError& e) {
        m_Response += " " + e.GetMessage();
    } catch (...) {
        m_Response = "Unknown error";
    }
    UpdateData(false);
}

void FenwaHostCmnd::CopyHistoryLine() {
    auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY));
    if (!list || !list->currentItem())
        return;
    SetItemText(IDC_COMMAND, platform::ui::FromQString(list->currentItem()->text()));
    ShowChecksum();
}

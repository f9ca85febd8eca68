#include "quorvance/tarvik/ZRNoxelHostCmnd.h"

#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRHexEdit.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/ZRCommError.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

#include <cstdio>

namespace {

using platform::ui::ControlSpec;

constexpr unsigned long kReplyTimeout = 5000; // ms
constexpr size_t kReplySize = 256;

std::vector<ControlSpec> Controls() {
    using D = ZRNoxelHostCmnd;
    return {
        ControlSpec::Static(-1, "&Command"),
        ControlSpec::Static(D::IDC_COMMAND_COLON, ":"),
        ControlSpec::Edit(D::IDC_COMMAND),
        ControlSpec::Edit(D::IDC_COMMAND_CHECKSUM),
        ControlSpec::Static(-1, "Response"),
        ControlSpec::Static(D::IDC_RESPONSE_COLON, ":"),
        ControlSpec::Edit(D::IDC_RESPONSE),
        ControlSpec::Edit(D::IDC_RESPONSE_CHECKSUM),
        ControlSpec::Static(-1, "* Checksum"),
        ControlSpec::Static(-1, "History (double click a line to copy to Command)"),
        ControlSpec::List(D::IDC_HISTORY),
        ControlSpec::DefaultButton(D::IDC_SEND, "&Send"),
        ControlSpec::Button(D::IDC_CLOSE, "Cl&ose"),
    };
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// What the field may hold: upper-case hexadecimal digits (pasted text included).
std::string HexOnly(const std::string& text) {
    std::string digits;
    for (char c : text) {
        const char upper = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
        if (IsHexDigit(upper))
            digits += upper;
    }
    return digits;
}

} // namespace

ZRNoxelHostCmnd::ZRNoxelHostCmnd(QWidget* parent) : Dialog(IDD, "Tarvik Host Command", Controls(), parent) {}

ZRNoxelHostCmnd::~ZRNoxelHostCmnd() = default;

ZRNoxelHostCmnd* ZRNoxelHostCmnd::ShowShared() {
    // Held by the main window, which deletes it with itself; the pointer then clears.
    static QPointer<ZRNoxelHostCmnd> shared;
    if (!shared) {
        ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
        shared = new ZRNoxelHostCmnd(app ? app->GetMainWindow() : nullptr);
    }
    if (!shared->IsCreated())
        shared->Create();
    shared->show();
    shared->raise();
    shared->activateWindow();
    return shared;
}

bool ZRNoxelHostCmnd::OnInitDialog() {
    m_pComm = NoxelComm::Instance();
    m_pHexEdit = new ZRHexEdit(this);
    m_pHexEdit->SubclassDlgItem(IDC_COMMAND, *this);
    for (int id : {IDC_COMMAND_CHECKSUM, IDC_RESPONSE, IDC_RESPONSE_CHECKSUM})
        if (auto* edit = qobject_cast<QLineEdit*>(Item(id)))
            edit->setReadOnly(true);
    if (auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY))) {
        list->setMinimumHeight(list->fontMetrics().height() * 8);
        connect(list, &QListWidget::itemDoubleClicked, this, [this] { CopyHistoryLine(); });
    }
    Dialog::OnInitDialog();
    ShowChecksum();
    return true;
}

void ZRNoxelHostCmnd::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_COMMAND, m_Command);
    dx.Text(IDC_RESPONSE, m_Response);
    dx.Text(IDC_COMMAND_CHECKSUM, m_CommandChecksum);
    dx.Text(IDC_RESPONSE_CHECKSUM, m_ResponseChecksum);
}

// Enter sends; the dialog stays.
void ZRNoxelHostCmnd::OnOK() {
    Send();
}

void ZRNoxelHostCmnd::OnButton(int id) {
    if (id == IDC_SEND)
        Send();
    else if (id == IDC_CLOSE)
        hide();
}

void ZRNoxelHostCmnd::OnControlChanged(int id) {
    if (id != IDC_COMMAND)
        return;
    // Upper case, digits only, as the field's style keeps it.
    auto* edit = qobject_cast<QLineEdit*>(Item(IDC_COMMAND));
    const std::string typed = GetItemText(IDC_COMMAND);
    const std::string clean = HexOnly(typed);
    if (clean != typed && edit) {
        const int cursor = edit->cursorPosition() - static_cast<int>(typed.size() - clean.size());
        edit->setText(QString::fromStdString(clean));
        edit->setCursorPosition(std::max(cursor, 0));
    }
    ShowChecksum();
}

void ZRNoxelHostCmnd::ShowChecksum() {
    UpdateData(true);
    const unsigned char sum = NoxelComm::CalcChecksum(reinterpret_cast<const unsigned char*>(m_Command.data()),
                                                      static_cast<int>(m_Command.size()));
    char text[3];
    std::snprintf(text, sizeof text, "%X%X", sum >> 4, sum & 0x0F);
    m_CommandChecksum = text;
    UpdateData(false);
}

void ZRNoxelHostCmnd::Send() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    UpdateData(true);
    if (auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY)))
        list->insertItem(0, QString::fromStdString(m_Command));
    // Node: the first two characters; request: the rest.
    unsigned node = 0;
    for (size_t i = 0; i < 2 && i < m_Command.size(); ++i)
        node = node * 16 + static_cast<unsigned>(NoxelComm::ToHexVal(m_Command[i]));
    const std::string request = m_Command.size() > 2 ? m_Command.substr(2) : std::string();
    m_ResponseChecksum.clear();
    unsigned char reply[kReplySize + 1] = {};
    unsigned short length = 0;
    try {
        if (!m_pComm)
            throw ZRCommError(ZRCommError::NotInitialized, "Communication has not been initialized");
        m_pComm->DumbTerminalMsg(static_cast<unsigned char>(node),
                                 reinterpret_cast<const unsigned char*>(request.data()),
                                 static_cast<unsigned short>(request.size()), reply, length, kReplyTimeout);
        std::string answer(reinterpret_cast<const char*>(reply), std::min<size_t>(length, kReplySize));
        if (answer.size() >= 2) {
            m_ResponseChecksum = answer.substr(answer.size() - 2);
            answer.resize(answer.size() - 2);
        }
        m_Response = answer;
    } catch (const ZRCommError& e) {
        m_Response = std::string(reinterpret_cast<const char*>(reply), std::min<size_t>(length, kReplySize)) + " " +
                     e.GetMessage();
    } catch (...) {
        m_Response = "Unknown error";
    }
    UpdateData(false);
    QApplication::restoreOverrideCursor();
}

void ZRNoxelHostCmnd::CopyHistoryLine() {
    auto* list = qobject_cast<QListWidget*>(Item(IDC_HISTORY));
    if (!list || !list->currentItem())
        return;
    SetItemText(IDC_COMMAND, list->currentItem()->text().toStdString());
    ShowChecksum();
}

#include "kitbase/ui/ZRMonitorView.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRBaseCommand.h"
#include "kitbase/model/ZRBaseGlobalDataMgr.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRMonitorSaveDlg.h"
#include "kitbase/ui/ZRMonitorSetup.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertyGroup.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/core/Directories.h"
#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/SystemError.h"
#include "platform/core/Text.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Guard.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/Text.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowMessage.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <cerrno>
#include <cstdlib>

using namespace platform::ui::ids;

ZRMonitorRowFactory* ZRMonitorView::s_pFactory = nullptr;

namespace {

constexpr const char* kSection = "Monitor";
constexpr const char* kCorrupted = "Monitor setup is corrupted.";

// The format index of a "Format:" line: 0 to 2 only, anything else is a corrupt set-up.
bool ParseFormatLine(const std::string& line, int& format) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos || line.compare(0, colon, "Format") != 0)
        return false;
    const std::string number = platform::core::Trim(line.substr(colon + 1));
    if (number.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(number.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0 || value > 2)
        return false;
    format = static_cast<int>(value);
    return true;
}

using platform::core::ReadLine;

bool WriteSetupFile(const std::string& path, const std::string& text) {
    std::ofstream out = platform::core::OpenOutputFile(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

ZRMonitorView::ZRMonitorView(QWidget* parent) : QWidget(parent) {
    constexpr const char* kWhere = "monitor control";
    m_pGrid = new ZRPropertiesGrid(this);
    m_pFormatLabel = new QLabel(QStringLiteral("Format"), this);
    m_pFormat = new QComboBox(this);
    m_pFormat->addItems({QStringLiteral("Decimal"), QStringLiteral("Binary"), QStringLiteral("Hexadecimal")});
    m_pFormat->setCurrentIndex(0);
    m_pFormatLabel->setBuddy(m_pFormat);
    connect(m_pFormat, &QComboBox::activated, this,
            [this] { platform::ui::Guard("monitor format", [&] { OnChangeFormat(); }); });
    m_pLoad = ZRViewControls::AddButton(*this, *this, IDC_MONITOR_LOAD, "Load", kWhere);
    m_pSave = ZRViewControls::AddButton(*this, *this, IDC_MONITOR_SAVE, "Save", kWhere);
    m_pResetPeaksButton = ZRViewControls::AddButton(*this, *this, IDC_RESET_PEAKS, "Reset Peaks", kWhere);
    m_pSetup = ZRViewControls::AddButton(*this, *this, IDC_MONITOR_SETUP, "Setup...", kWhere);
    m_pClose = ZRViewControls::AddButton(*this, *this, ID_FILE_CLOSE, "Close", kWhere);
    m_pHelp = ZRViewControls::AddButton(*this, *this, ID_HELP, "Help", kWhere);
    m_pResetPeaksButton->hide();
    resize(560, 360);
}

ZRMonitorView::~ZRMonitorView() {
    Notify(ZRUpdate::Destroying);
    if (m_pObject)
        m_pObject->GetName().RemoveObserver(this);
    m_pObject = nullptr;
}

QWidget* ZRMonitorView::Item(int id) const {
    switch (id) {
    case kGridId:
        return m_pGrid;
    case kFormatComboId:
        return m_pFormat;
    case kFormatLabelId:
        return m_pFormatLabel;
    case IDC_MONITOR_LOAD:
        return m_pLoad;
    case IDC_MONITOR_SAVE:
        return m_pSave;
    case IDC_RESET_PEAKS:
        return m_pResetPeaksButton;
    case IDC_MONITOR_SETUP:
        return m_pSetup;
    case ID_FILE_CLOSE:
        return m_pClose;
    case ID_HELP:
        return m_pHelp;
    default:
        return nullptr;
    }
}

// ---- set-up of the view

void ZRMonitorView::SetObject(ZRObject* object) {
    if (m_pObject == object)
        return;
    if (m_pObject)
        m_pObject->GetName().RemoveObserver(this);
    m_pObject = object;
    if (m_pObject)
        m_pObject->GetName().AddObserver(this);
}

void ZRMonitorView::SetResetPeaks(ZRBaseCommand* command) {
    m_pResetPeaks = command;
    m_pResetPeaksButton->setVisible(command != nullptr);
}

void ZRMonitorView::OnInitialUpdate() {
    if (m_bInitialized)
        return;
    m_bInitialized = true;
    m_pGrid->SetTitle("Parameter");
    // Without an on-line drive there is nothing to re-read on the idle tick.
    ZRDevice* device = m_pObject ? m_pObject->GetDevice() : nullptr;
    m_pGrid->SetOffLine(!device || device->IsOffLine());
    m_pGrid->OnInitialUpdate();
    m_pResetPeaksButton->setVisible(m_pResetPeaks != nullptr);
}

void ZRMonitorView::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pObject || subject != static_cast<ZRMvcModel*>(&m_pObject->GetName()))
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        SetMonitorTitle();
        break;
    case ZRUpdate::Destroying:
        m_pObject->GetName().RemoveObserver(this);
        m_pObject = nullptr;
        break;
    default:
        break;
    }
}

void ZRMonitorView::SetMonitorTitle() {
    const std::string object = m_pObject ? m_pObject->GetName().GetValue() : std::string();
    if (!m_FileName.empty() && m_FileName != kEmptySetup)
        m_Title = platform::core::Format("%s - Monitor [%s] ", object.c_str(), m_FileName.c_str());
    else
        m_Title = platform::core::Format("%s - Monitor", object.c_str());
    QWidget* frame = platform::ui::ChildFrame::FrameOf(this);
    (frame ? frame : static_cast<QWidget*>(this))->setWindowTitle(platform::ui::ToQString(m_Title));
}

// ---- set-ups

std::string ZRMonitorView::GetSetupDir() const {
    // The install directory may be read-only: set-ups live with the user's data.
    return platform::core::JoinPath(platform::core::UserDataDir(), m_RegistryValueName);
}

std::string ZRMonitorView::GetSetupPath(const std::string& name) const {
    return platform::core::JoinPath(GetSetupDir(), name + kExtension);
}

std::string ZRMonitorView::GetDefaultFileName() {
    std::string name;
    if (m_pDataMgr && m_pDataMgr->OpenUserSection(kSection, true, true))
        m_pDataMgr->GetUserKey().GetStringValue(m_RegistryValueName, name);
    if (name.empty()) {
        name = kEmptySetup;
        SaveDefaultFileName(name);
    }
    return name;
}

void ZRMonitorView::SaveDefaultFileName(const std::string& name) {
    if (m_pDataMgr && m_pDataMgr->OpenUserSection(kSection, true, true))
        m_pDataMgr->GetUserKey().SetStringValue(m_RegistryValueName, name);
}

ZRPropertyGroup* ZRMonitorView::GetMonitorTree() const {
    return m_pController ? m_pController->GetMonitorTree() : nullptr;
}

void ZRMonitorView::OnDisplayRows() {
    const std::string name = GetDefaultFileName();
    if (!name.empty() && platform::core::FileSystem::Exists(GetSetupPath(name)))
        LoadFile(name);
}

bool ZRMonitorView::LoadFile(const std::string& name) {
    std::ifstream in = platform::core::OpenInputFile(GetSetupPath(name), std::ios::binary);
    if (!in) {
        platform::core::MessageBox("Load failed.");
        return false;
    }
    // Nothing changes until both header lines are good.
    std::string line;
    int format = 0;
    if (!ReadLine(in, line) || line != kFileVersionLine || !ReadLine(in, line) ||
        !ParseFormatLine(line, format)) {
        platform::core::MessageBox(kCorrupted);
        return false;
    }
    m_pFormat->setCurrentIndex(format);

    m_pGrid->CancelEditing();
    m_pGrid->GetRows().clear();
    m_pCurrentHeader = nullptr;
    m_pGrid->SetFormatBase(format);

    {
        // Held still while the rows are replaced.
        struct Lock {
            QWidget* grid;
            explicit Lock(QWidget* g) : grid(g) { grid->setUpdatesEnabled(false); }
            ~Lock() { grid->setUpdatesEnabled(true); }
        } lock(m_pGrid);

        ZRPropertyGroup* tree = GetMonitorTree();
        std::string previousPrefix;
        ZRPropertyGroup* previousGroup = nullptr;
        while (ReadLine(in, line)) {
            if (line.empty())
                continue;
            const size_t star = line.find('*');
            if (!tree || star == std::string::npos) {
                previousGroup = nullptr;
                continue;
            }
            // The top group is whichever drive the set-up is loaded on.
            line = tree->GetName() + line.substr(star);
            const std::string prefix = line.substr(0, line.rfind('*'));
            ZRPropertyGroup* group = previousGroup && prefix == previousPrefix
                                         ? AddRow(previousGroup, line, false)
                                         : AddRow(tree, line, true);
            previousPrefix = prefix;
            previousGroup = group;
        }
        m_FileName = name;
        SetMonitorTitle();
    }
    m_pGrid->UpdateRows();
    return true;
}

ZRPropertyGroup* ZRMonitorView::AddRow(ZRPropertyGroup* group, const std::string& path, bool newPrefix) {
    if (!newPrefix) {
        ZRAttribute* attribute = FindAttribute(group, path.substr(path.rfind('*') + 1));
        std::unique_ptr<ZRGridRow> row =
            attribute && s_pFactory && m_pCurrentHeader ? s_pFactory->CreateRow(attribute, true) : nullptr;
        if (!row)
            return nullptr;
        m_pCurrentHeader->AddRow(row.get());
        m_pGrid->GetRows().push_back(std::move(row));
        return group;
    }
    const size_t star = path.find('*');
    if (star == std::string::npos)
        return nullptr;
    const std::string head = path.substr(0, star);
    const std::string rest = path.substr(star + 1);
    if (head != group->GetName())
        return nullptr;
    if (rest.find('*') != std::string::npos) {
        for (ZRPropertyGroup* sub : group->GetGroups())
            if (ZRPropertyGroup* found = AddRow(sub, rest, true))
                return found;
        return nullptr;
    }
    ZRAttribute* attribute = FindAttribute(group, rest);
    // An attribute without a row kind adds nothing, not even its header.
    std::unique_ptr<ZRGridRow> row =
        attribute && s_pFactory ? s_pFactory->CreateRow(attribute, true) : nullptr;
    if (!row)
        return nullptr;
    auto header = std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>(head));
    m_pCurrentHeader = header.get();
    m_pGrid->GetRows().push_back(std::move(header));
    m_pCurrentHeader->AddRow(row.get());
    m_pGrid->GetRows().push_back(std::move(row));
    return group;
}

ZRAttribute* ZRMonitorView::FindAttribute(ZRPropertyGroup* group, const std::string& name) {
    for (ZRAttribute* attribute : group->GetProperties())
        if (!attribute->IsHidden() && attribute->GetName() == name)
            return attribute;
    return nullptr;
}

bool ZRMonitorView::FindAttributePath(ZRPropertyGroup* group, const std::string& groupName,
                                      ZRAttribute* attribute, std::string& path) {
    const size_t mark = path.size();
    path += group->GetName() + "*";
    if (group->GetName() == groupName)
        for (ZRAttribute* candidate : group->GetProperties())
            if (candidate == attribute && !candidate->IsHidden())
                return true;
    for (ZRPropertyGroup* sub : group->GetGroups())
        if (FindAttributePath(sub, groupName, attribute, path))
            return true;
    path.resize(mark);
    return false;
}

void ZRMonitorView::AddData(std::string& text) {
    ZRPropertyGroup* tree = GetMonitorTree();
    if (!tree)
        return;
    std::string header;
    std::string path;
    bool headerChanged = true;
    for (const std::unique_ptr<ZRGridRow>& row : m_pGrid->GetRows()) {
        auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get());
        if (!attributeRow) {
            if (auto* groupRow = dynamic_cast<ZRGroupRow*>(row.get()))
                if (ZRStaticHeader* caption = groupRow->GetStaticHeader())
                    header = caption->GetHeaderName();
            headerChanged = true;
            continue;
        }
        ZRAttribute* attribute = attributeRow->GetAttribute();
        if (!attribute || attribute->IsHidden())
            continue;
        // A row whose path was not found does not stand for the rest of its group.
        if (headerChanged || path.empty()) {
            path.clear();
            FindAttributePath(tree, header, attribute, path);
            headerChanged = false;
        }
        if (!path.empty())
            text += path + attribute->GetName() + "\n";
    }
}

void ZRMonitorView::OnLoad() {
    ZRMonitorSaveDlg dialog(this, ZRMonitorSaveDlg::kLoad);
    if (dialog.DoModal() == platform::core::IDOK)
        LoadFile(dialog.GetName());
}

void ZRMonitorView::OnSave() {
    std::string text =
        platform::core::Format("%s\nFormat:%d\n", kFileVersionLine, std::max(m_pFormat->currentIndex(), 0));
    AddData(text);
    try {
        platform::core::FileSystem::MakeDirectories(GetSetupDir());
    } catch (const platform::core::SystemError&) {
        platform::core::MessageBox("Can not create Monitor directory.");
        return;
    }
    ZRMonitorSaveDlg dialog(this, ZRMonitorSaveDlg::kSave);
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    // Only a set-up that is on disk may become the default or name the window.
    const std::string path = GetSetupPath(dialog.GetName());
    if (!WriteSetupFile(path, text)) {
        platform::core::MessageBox(platform::core::Format("Unable to write %s", path.c_str()));
        return;
    }
    m_FileName = dialog.GetName();
    if (dialog.IsSaveAsDefault())
        SaveDefaultFileName(m_FileName);
    SetMonitorTitle();
}

// ---- commands

void ZRMonitorView::OnHelp() {
    platform::ui::ShowHelpTopic(m_HelpTopic);
}

void ZRMonitorView::OnResetPeaks() {
    if (m_pResetPeaks)
        m_pResetPeaks->Execute(true);
    else
        m_pResetPeaksButton->hide();
}

void ZRMonitorView::OnSetup() {
    ZRMonitorSetup::EditRows(GetMonitorTree(), m_pGrid);
}

void ZRMonitorView::OnChangeFormat() {
    platform::ui::WaitCursor wait;
    m_pGrid->SetFormatBase(std::max(m_pFormat->currentIndex(), 0));
}

void ZRMonitorView::OnNextPaneCmd() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == m_pClose || focus == m_pHelp || focus == m_pResetPeaksButton || focus == m_pSetup))
        ZRViewControls::FocusPane(m_pGrid);
    else
        ZRViewControls::FocusPane(m_pSetup);
}

void ZRMonitorView::OnPrevPaneCmd() {
    OnNextPaneCmd();
}

const platform::ui::CommandTable* ZRMonitorView::Commands() const {
    using Row = platform::ui::CommandRow<ZRMonitorView>;
    using ZRViewControls::kWithControl;
    static const platform::ui::CommandTable table{
        {Row(ID_HELP, &ZRMonitorView::OnHelp, kWithControl),
         Row(IDC_MONITOR_LOAD, &ZRMonitorView::OnLoad, kWithControl),
         Row(IDC_MONITOR_SAVE, &ZRMonitorView::OnSave, kWithControl),
         Row(IDC_RESET_PEAKS, &ZRMonitorView::OnResetPeaks, kWithControl),
         Row(IDC_MONITOR_SETUP, &ZRMonitorView::OnSetup, kWithControl),
         Row(ID_DISPLAY_ROWS, &ZRMonitorView::OnDisplayRows, kWithControl)},
        &ZRViewControls::PaneCommands<ZRMonitorView>()};
    return &table;
}

// ---- layout

void ZRMonitorView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
    const unsigned type = !frame                 ? platform::ui::SIZE_RESTORED
                          : frame->isMinimized() ? platform::ui::SIZE_MINIMIZED
                          : frame->isMaximized() ? platform::ui::SIZE_MAXIMIZED
                                                 : platform::ui::SIZE_RESTORED;
    platform::ui::Guard("monitor layout",
                        [&] { OnSize(type, event->size().width(), event->size().height()); });
}

void ZRMonitorView::OnSize(unsigned type, int cx, int cy) {
    if ((type != platform::ui::SIZE_RESTORED && type != platform::ui::SIZE_MAXIMIZED) || !m_pGrid)
        return;
    m_pGrid->setGeometry(7, 7, std::max(cx - 23, 0), std::max(cy - 47, 0));
    m_pFormat->setGeometry(3, cy - 24, 117, 17);
    m_pFormatLabel->setGeometry(3, cy - 38, 97, 13);
    const int y = cy - 30;
    m_pLoad->setGeometry(cx - 416, y, 50, 27);
    m_pSave->setGeometry(cx - 358, y, 50, 27);
    m_pResetPeaksButton->setGeometry(cx - 300, y, 78, 27);
    m_pSetup->setGeometry(cx - 214, y, 66, 27);
    m_pClose->setGeometry(cx - 140, y, 66, 27);
    m_pHelp->setGeometry(cx - 66, y, 50, 27);
}

// ---- the test harness

long ZRMonitorView::OnVtMessage(unsigned int type, long cell) {
    if (ZRTest* test = ZRTest::Instance(); test && test->HasPage())
        ZRViewControls::AnswerGridQuery(*test, *m_pGrid, type, cell);
    return 0;
}

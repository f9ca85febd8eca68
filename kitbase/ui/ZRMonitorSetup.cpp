#include "kitbase/ui/ZRMonitorSetup.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertyGroup.h"
#include "kitbase/ui/ZRSetupTree.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/ui/TreeView.h"

#include <vector>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;
using platform::ui::STATE_CHECKED;
using platform::ui::STATE_PARTIAL;
using platform::ui::STATE_UNCHECKED;

ZRMonitorRowFactory* ZRMonitorSetup::s_pFactory = nullptr;

ZRMonitorSetup::ZRMonitorSetup(ZRPropertyGroup* tree, std::list<std::unique_ptr<ZRGridRow>>& rows,
                               QWidget* parent)
    : Dialog(IDD, "Monitor Setup",
             {ControlSpec::Static(IDC_TREE, {}), ControlSpec::DefaultButton(IDOK, "OK"),
              ControlSpec::Button(IDCANCEL, "Cancel")},
             parent),
      m_pMonitorTree(tree), m_Rows(rows) {}

ZRMonitorSetup::~ZRMonitorSetup() = default;

void ZRMonitorSetup::EditRows(ZRPropertyGroup* tree, ZRPropertiesGrid* grid) {
    if (!tree) {
        platform::core::MessageBox("Programmer's Error: No Setup tree defined");
        return;
    }
    if (!grid)
        return;
    ZRMonitorSetup dialog(tree, grid->GetRows());
    if (dialog.DoModal() == IDOK)
        grid->UpdateRows();
}

bool ZRMonitorSetup::OnInitDialog() {
    if (!m_pTree) {
        // The tree takes the place of its control in the dialog.
        auto* tree = new ZRSetupTree(this, [this](const QPoint& point) { OnClickTree(point); });
        tree->setMinimumSize(280, 340);
        tree->Replace(Item(IDC_TREE));
        m_pTree = tree;
    }
    InitTree();
    if (TreeItem first = m_pTree->FirstChild(nullptr))
        m_pTree->Expand(first, platform::ui::TreeExpand::Expand);
    return Dialog::OnInitDialog();
}

void ZRMonitorSetup::InitTree() {
    m_pTree->DeleteAllItems();
    if (!m_pMonitorTree)
        return;
    AddObject(nullptr, m_pMonitorTree);
    InitObjectState(nullptr);
}

bool ZRMonitorSetup::IsGroupItem(TreeItem item) const {
    return item && m_pTree->ItemImage(item) == kGroupImage;
}

void ZRMonitorSetup::AddObject(TreeItem parent, ZRPropertyGroup* group) {
    TreeItem item = m_pTree->InsertItem(group->GetName(), parent);
    m_pTree->SetItemImage(item, kGroupImage);
    m_pTree->SetItemState(item, STATE_UNCHECKED);
    m_pTree->SetItemData(item, group);
    for (ZRPropertyGroup* sub : group->GetGroups())
        AddObject(item, sub);
    for (ZRAttribute* attribute : group->GetProperties()) {
        if (attribute->IsHidden())
            continue;
        TreeItem leaf = m_pTree->InsertItem(attribute->GetName(), item);
        m_pTree->SetItemImage(leaf, kAttributeImage);
        m_pTree->SetItemState(leaf, IsARow(attribute) ? STATE_CHECKED : STATE_UNCHECKED);
        m_pTree->SetItemData(leaf, attribute);
    }
}

void ZRMonitorSetup::InitObjectState(TreeItem item) {
    for (TreeItem child : m_pTree->Children(item))
        if (IsGroupItem(child))
            InitObjectState(child);
    CalculateState(item);
}

void ZRMonitorSetup::CalculateState(TreeItem item) {
    if (!item)
        return;
    const std::vector<TreeItem> children = m_pTree->Children(item);
    if (children.empty())
        return;
    const int first = m_pTree->ItemState(children.front());
    for (TreeItem child : children)
        if (m_pTree->ItemState(child) != first) {
            m_pTree->SetItemState(item, STATE_PARTIAL);
            return;
        }
    m_pTree->SetItemState(item, first);
}

void ZRMonitorSetup::SetState(TreeItem item, int state) {
    m_pTree->SetItemState(item, state);
    for (TreeItem child : m_pTree->Children(item))
        SetState(child, state);
}

void ZRMonitorSetup::UpdateParents(TreeItem item) {
    for (TreeItem up = m_pTree->ParentItem(item); up; up = m_pTree->ParentItem(up))
        CalculateState(up);
}

bool ZRMonitorSetup::IsARow(ZRAttribute* attribute) {
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get()))
            if (attributeRow->GetAttribute() == attribute)
                return true;
    return false;
}

long ZRMonitorSetup::OnClickTree(const QPoint& point) {
    TreeItem item = ZRSetupTree::StateBoxAt(*m_pTree, point);
    if (!item)
        return 0;
    const int state = m_pTree->ItemState(item) == STATE_UNCHECKED ? STATE_CHECKED : STATE_UNCHECKED;
    SetState(item, state);
    UpdateParents(item);
    return 0;
}

void ZRMonitorSetup::OnOK() {
    m_Rows.clear();
    if (m_pTree)
        BuildRows(nullptr);
    EndDialog(IDOK);
}

void ZRMonitorSetup::BuildRows(TreeItem item) {
    const std::vector<TreeItem> children = m_pTree->Children(item);
    std::vector<std::unique_ptr<ZRGridRow>> rows;
    for (TreeItem child : children) {
        if (IsGroupItem(child) || m_pTree->ItemState(child) != STATE_CHECKED || !s_pFactory)
            continue;
        // An attribute without a row kind shows nothing.
        if (std::unique_ptr<ZRGridRow> row =
                s_pFactory->CreateRow(m_pTree->ItemDataAs<ZRAttribute>(child), true))
            rows.push_back(std::move(row));
    }
    if (!rows.empty() && IsGroupItem(item)) {
        auto* group = m_pTree->ItemDataAs<ZRPropertyGroup>(item);
        auto header = std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>(group->GetName()));
        ZRGroupRow* groupRow = header.get();
        m_Rows.push_back(std::move(header));
        for (std::unique_ptr<ZRGridRow>& row : rows) {
            groupRow->AddRow(row.get());
            m_Rows.push_back(std::move(row));
        }
    }
    for (TreeItem child : children)
        if (IsGroupItem(child))
            BuildRows(child);
}

std::string ZRMonitorSetup::GetTreePath(TreeItem item) {
    return ZRSetupTree::PathOf(*m_pTree, item);
}

void ZRMonitorSetup::TreeStrings(TreeItem item, std::ostream& out, const std::string& arrayName) {
    // The declared size is only text: a larger tree writes more entries.
    ZRSetupTree::WriteStrings(*m_pTree, item, out, arrayName, m_Entry, "\n");
}

void ZRMonitorSetup::WriteIncludeFile(const char* fileName, const std::string& arrayName) {
    std::ofstream out = platform::core::OpenOutputFile(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        return;
    out << "' This is a generated file. \n\n";
    out << "GLOBAL " << arrayName << "(150) AS STRING\n";
    m_Entry = 0;
    if (TreeItem top = m_pTree->FirstChild(nullptr))
        TreeStrings(top, out, arrayName);
}

ZRMonitorSetup::TreeItem ZRMonitorSetup::FindPath(const std::string& path) const {
    return path.empty() ? nullptr : ZRSetupTree::FindPath(*m_pTree, path);
}

long ZRMonitorSetup::OnVtMessage(unsigned int type, long) {
    ZRTest* page = ZRTest::Instance();
    if (!m_pTree || !page || !page->HasPage())
        return 0;
    switch (type) {
    case kQueryItemRect: {
        std::string path;
        if (!page->ReadText(path))
            return 0;
        ZRSetupTree::WriteItemRect(*page, *m_pTree, FindPath(path));
        break;
    }
    case kWriteTarvikStrings:
        WriteIncludeFile("MonitorTarvikStrings.inc", "MonitorTarvikStrings");
        break;
    case kWriteMerrixStrings:
        WriteIncludeFile("MonitorMerrixStrings.inc", "MonitorMerrixStrings");
        break;
    default:
        break;
    }
    return 0;
}

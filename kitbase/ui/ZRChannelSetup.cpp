#include "kitbase/ui/ZRChannelSetup.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/ZRSetupTree.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/ui/TreeView.h"

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRChannelSetup::ZRChannelSetup(ZRChannelOptionList* list, QWidget* parent)
    : Dialog(IDD, "Channel Setup",
             {ControlSpec::Static(IDC_TREE, {}), ControlSpec::DefaultButton(IDOK, "OK"),
              ControlSpec::Button(IDCANCEL, "Cancel")},
             parent),
      m_pList(list) {}

ZRChannelSetup::~ZRChannelSetup() = default;

bool ZRChannelSetup::OnInitDialog() {
    SetTitle("Channel Setup");
    if (!m_pTree) {
        // The tree takes the place of its control in the dialog.
        auto* tree = new ZRSetupTree(this, [this](const QPoint& point) { OnClickTree(point); });
        tree->setMinimumSize(260, 320);
        tree->Replace(Item(IDC_TREE));
        m_pTree = tree;
    }
    InitTree();
    return Dialog::OnInitDialog();
}

void ZRChannelSetup::InitTree() {
    m_pTree->DeleteAllItems();
    if (m_pList)
        AddOptionList(nullptr, m_pList);
    if (TreeItem first = m_pTree->FirstChild(nullptr)) {
        m_pTree->scrollToTop();
        m_pTree->Expand(first, platform::ui::TreeExpand::Expand);
    }
}

void ZRChannelSetup::AddOptionList(TreeItem parent, ZRChannelOptionList* list) {
    TreeItem branch = m_pTree->InsertItem(list->GetName(), parent);
    m_pTree->SetItemImage(branch, kBranchImage);
    m_pTree->SetItemData(branch, list);
    for (const std::unique_ptr<ZRChannelOptionList>& child : list->GetChildren())
        AddOptionList(branch, child.get());
    for (ZRChannelOption* option : list->GetChannelOptions()) {
        TreeItem leaf = m_pTree->InsertItem(option->GetName(), branch);
        m_pTree->SetItemImage(leaf, kLeafImage);
        m_pTree->SetItemData(leaf, option);
        SetState(leaf,
                 IsSelectedOption(option) ? platform::ui::STATE_CHECKED : platform::ui::STATE_UNCHECKED);
    }
    m_pTree->Expand(branch, platform::ui::TreeExpand::Expand);
}

bool ZRChannelSetup::IsSelectedOption(ZRChannelOption* option) const {
    return option && option == m_pOption;
}

void ZRChannelSetup::SetState(TreeItem item, int stateImage) {
    m_pTree->SetItemState(item, stateImage);
}

void ZRChannelSetup::UnselectTreeItems(TreeItem item) {
    for (; item; item = m_pTree->NextSibling(item)) {
        if (m_pTree->ItemState(item) == platform::ui::STATE_CHECKED)
            SetState(item, platform::ui::STATE_UNCHECKED);
        UnselectTreeItems(m_pTree->FirstChild(item));
    }
}

long ZRChannelSetup::OnClickTree(const QPoint& point) {
    TreeItem item = ZRSetupTree::StateBoxAt(*m_pTree, point);
    if (!item)
        return 0;
    switch (m_pTree->ItemState(item)) {
    case platform::ui::STATE_UNCHECKED:
        UnselectTreeItems(m_pTree->FirstChild(nullptr));
        SetState(item, platform::ui::STATE_CHECKED);
        break;
    case platform::ui::STATE_CHECKED:
    case platform::ui::STATE_PARTIAL:
        SetState(item, platform::ui::STATE_UNCHECKED);
        break;
    default:
        SetState(item, platform::ui::STATE_NONE);
        break;
    }
    return 0;
}

void ZRChannelSetup::OnOK() {
    m_pOption = GetSelectedOption(nullptr);
    EndDialog(IDOK);
}

ZRChannelOption* ZRChannelSetup::GetSelectedOption(TreeItem parent) {
    const std::vector<TreeItem> children = m_pTree->Children(parent);
    for (TreeItem child : children)
        if (m_pTree->ItemImage(child) == kLeafImage &&
            m_pTree->ItemState(child) == platform::ui::STATE_CHECKED)
            return m_pTree->ItemDataAs<ZRChannelOption>(child);
    for (TreeItem child : children)
        if (m_pTree->ItemImage(child) == kBranchImage)
            if (ZRChannelOption* option = GetSelectedOption(child))
                return option;
    return nullptr;
}

std::string ZRChannelSetup::GetTreePath(TreeItem item) {
    return ZRSetupTree::PathOf(*m_pTree, item);
}

void ZRChannelSetup::TreeStrings(TreeItem item, std::ostream& out, const std::string& arrayName) {
    ZRSetupTree::WriteStrings(*m_pTree, item, out, arrayName, m_Entry, "\r\n");
}

void ZRChannelSetup::WriteIncludeFile(const char* fileName, const char* firstLine,
                                      const std::string& arrayName) {
    // Text with Windows line ends: the test scripts read it as they always did.
    std::ofstream out = platform::core::OpenOutputFile(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        return;
    out << firstLine << "\r\n\r\n";
    out << "GLOBAL " << arrayName << "(150) AS STRING\r\n";
    m_Entry = 0;
    if (m_pTree)
        if (TreeItem first = m_pTree->FirstChild(nullptr))
            TreeStrings(first, out, arrayName);
}

ZRChannelSetup::TreeItem ZRChannelSetup::FindPath(const std::string& path) const {
    return ZRSetupTree::FindPath(*m_pTree, path);
}

long ZRChannelSetup::OnVtMessage(unsigned int type, long) {
    if (!m_pTree)
        return 0;
    switch (type) {
    case kQueryItemRect: {
        ZRTest* page = ZRTest::Instance();
        std::string path;
        if (!page || !page->ReadText(path))
            return 0;
        ZRSetupTree::WriteItemRect(*page, *m_pTree, FindPath(path));
        break;
    }
    case kWriteTarvikStrings:
        WriteIncludeFile("ChannelTarvikStrings.inc", "' This is a generated file. ", "ChannelTarvikStrings");
        break;
    case kWriteMerrixStrings:
        WriteIncludeFile("ChannelMerrixStrings.inc", "' This is a generated file.  ", "ChannelMerrixStrings");
        break;
    default:
        break;
    }
    return 0;
}

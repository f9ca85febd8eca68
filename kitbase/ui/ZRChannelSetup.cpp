#include "kitbase/ui/ZRChannelSetup.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRTest.h"
#include "platform/core/Modal.h"
#include "platform/ui/TreeView.h"

#include <QLayout>

#include <fstream>
#include <functional>
#include <utility>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;
using platform::ui::TreeView;

namespace {

// Hands a press of the left button to the dialog before the tree's own handling.
class ChannelTree : public TreeView {
public:
    ChannelTree(QWidget* parent, std::function<void(const QPoint&)> onClick)
        : TreeView(parent), m_onClick(std::move(onClick)) {}

    bool OnLButtonDown(unsigned, const QPoint& point) override {
        m_onClick(point);
        return false;
    }

private:
    std::function<void(const QPoint&)> m_onClick;
};

} // namespace

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
        auto* tree = new ChannelTree(this, [this](const QPoint& point) { OnClickTree(point); });
        tree->setMinimumSize(260, 320);
        if (QWidget* control = Item(IDC_TREE)) {
            if (layout())
                delete layout()->replaceWidget(control, tree);
            control->hide();
        }
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
    for (ZRChannelOptionList* child : list->GetChildren())
        AddOptionList(branch, child);
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
    platform::ui::TreeHit hit = platform::ui::TreeHit::Nowhere;
    TreeItem item = m_pTree->HitTest(point, &hit);
    if (!item || hit != platform::ui::TreeHit::StateImage)
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
    std::string path = m_pTree->ItemText(item);
    for (TreeItem up = m_pTree->ParentItem(item); up; up = m_pTree->ParentItem(up))
        path = m_pTree->ItemText(up) + "?" + path;
    return path;
}

void ZRChannelSetup::TreeStrings(TreeItem item, std::ostream& out, const std::string& arrayName) {
    for (TreeItem child = m_pTree->FirstChild(item); child; child = m_pTree->NextSibling(child)) {
        if (m_pTree->FirstChild(child)) {
            TreeStrings(child, out, arrayName);
            continue;
        }
        out << arrayName << '(' << m_Entry++ << ") = \"" << GetTreePath(child) << "\"\r\n";
    }
}

void ZRChannelSetup::WriteIncludeFile(const char* fileName, const char* firstLine,
                                      const std::string& arrayName) {
    // Text with Windows line ends: the test scripts read it as they always did.
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
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
    TreeItem item = m_pTree->FirstChild(nullptr);
    size_t start = 0;
    while (item) {
        const size_t end = path.find('?', start);
        const std::string part =
            path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        while (item && m_pTree->ItemText(item) != part)
            item = m_pTree->NextSibling(item);
        if (!item || end == std::string::npos)
            return item;
        item = m_pTree->FirstChild(item);
        start = end + 1;
    }
    return nullptr;
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
        TreeItem item = FindPath(path);
        // A path that reaches no item reports an empty rectangle.
        QRect rect = item ? m_pTree->ItemRect(item, true) : QRect();
        if (rect.isEmpty())
            page->WriteRect(0, 0, 0, 0);
        else
            page->WriteRect(rect.left(), rect.left() + rect.width(), rect.top(), rect.top() + rect.height());
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

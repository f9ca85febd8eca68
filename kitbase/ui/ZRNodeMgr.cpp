#include "kitbase/ui/ZRNodeMgr.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Text.h"
#include "platform/ui/WaitCursor.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

using namespace platform::ui::ids;

namespace {

platform::core::FileSystem s_FileSystem;

constexpr unsigned kEnterKey = 13;

// Fills a title format's one %s with the attribute's value.
std::string FillTitle(const std::string& format, ZRStringAttribute* attribute) {
    return platform::core::Format(format.c_str(), attribute->GetValue().c_str());
}

} // namespace

ZRMonitorRowFactory* ZRNodeMgr::s_pRowFactory = nullptr;
short ZRNodeMgr::s_Indent = 0;
platform::core::FileSystem* ZRNodeMgr::pFS = &s_FileSystem;

ZRNodeMgr::ZRNodeMgr(ZRTreeItem* item, ZRObject* object, ZRWorkspaceView* view)
    : m_pNode(item), m_pTree(view), m_pTreeName(object ? &object->GetName() : nullptr), m_pModel(object) {
    if (object) {
        object->AddObserver(this);
        object->GetName().AddObserver(this);
    }
}

ZRNodeMgr::~ZRNodeMgr() {
    // Everything still held is alive: each of them announces its end, and the node lets go then.
    if (m_pModel) {
        ForgetAll(m_pModel);
        ForgetAll(&m_pModel->GetName());
    }
    if (m_pTitleName)
        ForgetAll(m_pTitleName);
    for (ZRStringAttribute* title : m_TitleNames)
        if (title)
            ForgetAll(title);
    if (m_pPropsView)
        ForgetAll(m_pPropsView);
    for (ZRPropertiesView* view : m_PropsViews)
        ForgetAll(view);
    for (ZRMvcModel* model : m_ViewModels)
        if (model)
            ForgetAll(model);
}

// ---- Commands and window messages

const platform::ui::CommandTable& ZRNodeMgr::BaseCommands() {
    using Row = platform::ui::CommandRow<ZRNodeMgr>;
    static const platform::ui::CommandTable table{
        Row(ID_ENABLE_DRIVE, &ZRNodeMgr::OnEnableDrive, &ZRNodeMgr::OnUpdateEnableDrive),
        Row(ID_HELP, &ZRNodeMgr::OnHelp),
    };
    return table;
}

const platform::ui::CommandTable& ZRNodeMgr::TailCommands() {
    using Row = platform::ui::CommandRow<ZRNodeMgr>;
    static const platform::ui::CommandTable table{{Row(ID_PROPERTIES, &ZRNodeMgr::ShowProperties)},
                                                  &BaseCommands()};
    return table;
}

const platform::ui::CommandTable* ZRNodeMgr::Commands() const {
    return &BaseCommands();
}

bool ZRNodeMgr::OnChar(unsigned ch, unsigned, unsigned) {
    if (ch != kEnterKey)
        return false;
    DefaultAction();
    return true;
}

bool ZRNodeMgr::OnLButtonDblClk(unsigned, const QPoint&) {
    if (m_pTree)
        m_pTree->CancelPendingEdit();
    DefaultAction();
    return true;
}

void ZRNodeMgr::OnEnableDrive() {
    ZRDevice* device = m_pModel ? m_pModel->GetDevice() : nullptr;
    if (device)
        device->ToggleEnabled();
}

void ZRNodeMgr::OnUpdateEnableDrive(platform::ui::CommandState& state) {
    ZRDevice* device = m_pModel ? m_pModel->GetDevice() : nullptr;
    if (!device || device->IsOffLine()) {
        state.enabled = false;
        state.checked = false;
        return;
    }
    state.enabled = true;
    state.checked = device->IsEnabled();
}

void ZRNodeMgr::OnHelp() {
    platform::ui::ShowHelpTopic(m_HelpTopic);
}

void ZRNodeMgr::DefaultAction() {
    if (m_pTree && m_pNode)
        m_pTree->Expand(m_pNode, platform::ui::TreeExpand::Toggle);
}

// ---- Simple virtual operations

bool ZRNodeMgr::CanClose(CSizableChildFrame*) {
    return true;
}

void ZRNodeMgr::CanDrop(ZRTreeItem*, ZRTreeItem*& dropItem, bool&, bool&) {
    dropItem = nullptr;
}

bool ZRNodeMgr::CanEditLabel() {
    return m_bLabelEdit;
}

bool ZRNodeMgr::CanImport(int32_t) {
    return false;
}

void ZRNodeMgr::DoCommand(unsigned int) {}

void ZRNodeMgr::DoCommand2(unsigned int, unsigned int) {}

void ZRNodeMgr::DoSave() {
    for (ZRNodeMgr* child : ChildManagers())
        child->DoSave();
}

void ZRNodeMgr::Reset() {
    for (ZRNodeMgr* child : ChildManagers())
        child->Reset();
}

bool ZRNodeMgr::EditName(std::string& name) {
    if (!m_pModel)
        return false;
    ZRStringAttribute& attribute = m_pModel->GetName();
    if (!attribute.Validate(name))
        return false;
    // A name the storage refused must not show as the label.
    if (!attribute.SetAsString(name))
        return false;
    name = attribute.GetValue();
    return true;
}

ZRPropertyGroup* ZRNodeMgr::GetMonitorTree() {
    if (m_pMonitorGroup)
        return m_pMonitorGroup.get();
    if (!m_pTree || !m_pNode)
        return nullptr;
    ZRTreeItem* parent = m_pTree->ParentItem(m_pNode);
    ZRNodeMgr* parentMgr = parent ? m_pTree->ItemDataAs<ZRNodeMgr>(parent) : nullptr;
    return parentMgr ? parentMgr->GetMonitorTree() : nullptr;
}

bool ZRNodeMgr::IsWindowOpen() {
    return m_pPropsFrame || !m_PropsFrames.empty() || !m_Views.empty();
}

ZRModelDoc* ZRNodeMgr::BuildPropsDoc() {
    return nullptr;
}

bool ZRNodeMgr::HasCommands() {
    return m_bHasCommands;
}

void ZRNodeMgr::SetMenu(unsigned int menuId, int subMenuPosition) {
    m_MenuId = menuId;
    m_SubMenu = subMenuPosition;
}

void ZRNodeMgr::SetViewTitle(std::string format, ZRStringAttribute* titleAttribute) {
    m_TitleFormat = std::move(format);
    m_pTitleName = titleAttribute;
    if (titleAttribute)
        titleAttribute->AddObserver(this);
}

// ---- Tree

std::vector<ZRNodeMgr*> ZRNodeMgr::ChildManagers() const {
    std::vector<ZRNodeMgr*> managers;
    if (!m_pTree || !m_pNode)
        return managers;
    for (ZRTreeItem* child : m_pTree->Children(m_pNode))
        if (auto* manager = m_pTree->ItemDataAs<ZRNodeMgr>(child))
            managers.push_back(manager);
    return managers;
}

ZRTreeItem* ZRNodeMgr::FindChild(ZRMvcModel* model) const {
    if (!m_pTree || !m_pNode)
        return nullptr;
    for (ZRTreeItem* child : m_pTree->Children(m_pNode)) {
        auto* manager = m_pTree->ItemDataAs<ZRNodeMgr>(child);
        if (manager && manager->GetModel() && static_cast<ZRMvcModel*>(manager->GetModel()) == model)
            return child;
    }
    return nullptr;
}

bool ZRNodeMgr::FindChild(ZRTreeItem* item) const {
    return item && m_pTree && m_pNode && m_pTree->ParentItem(item) == m_pNode;
}

ZRTreeItem* ZRNodeMgr::FindChild(const std::string& name, int32_t typeId) const {
    if (!m_pTree || !m_pNode)
        return nullptr;
    for (ZRTreeItem* child : m_pTree->Children(m_pNode)) {
        auto* manager = m_pTree->ItemDataAs<ZRNodeMgr>(child);
        ZRObject* object = manager ? manager->GetModel() : nullptr;
        if (object && object->GetClass() == typeId && object->GetName().GetValue() == name)
            return child;
    }
    return nullptr;
}

bool ZRNodeMgr::FindAncestor(ZRTreeItem* item) const {
    if (!item || !m_pTree || !m_pNode)
        return false;
    for (ZRTreeItem* up = m_pTree->ParentItem(m_pNode); up; up = m_pTree->ParentItem(up))
        if (up == item)
            return true;
    return false;
}

bool ZRNodeMgr::FindIcon(unsigned short id, int& index) const {
    for (int i = int(m_IconIds.size()) - 1; i >= 0; --i) {
        if (m_IconIds[size_t(i)] == id) {
            index = i;
            return true;
        }
    }
    index = -1;
    return false;
}

void ZRNodeMgr::AddChildNodes(const NodeMaker& make) {
    if (!m_pModel || !m_pTree || !m_pNode)
        return;
    // A copy: a child's set-up may add objects of its own below it, never here, but stay safe.
    const ZRObject::ObjectList children = m_pModel->GetChildren();
    for (ZRObject* child : children) {
        if (FindChild(static_cast<ZRMvcModel*>(child)))
            continue;
        ZRTreeItem* item = m_pTree->InsertItem(child->GetName().GetValue(), m_pNode);
        ZRNodeMgr* manager = make(item, child);
        if (!manager) {
            m_pTree->DeleteItem(item);
            continue;
        }
        m_pTree->SetItemData(item, manager);
        manager->Initialize();
    }
}

void ZRNodeMgr::Cleanup() {
    DoCloseWindows();
    if (m_pTitleName) {
        m_pTitleName->RemoveObserver(this);
        // Not observed any more, so its end would go unheard.
        m_pTitleName = nullptr;
    }
    if (!m_pTree || !m_pNode)
        return;
    for (ZRTreeItem* child : m_pTree->Children(m_pNode)) {
        auto* manager = m_pTree->ItemDataAs<ZRNodeMgr>(child);
        if (!manager)
            continue;
        manager->Cleanup();
        delete manager;
        m_pTree->SetItemData(child, nullptr);
    }
}

bool ZRNodeMgr::AreWindowsOpen() {
    if (IsWindowOpen())
        return true;
    for (ZRNodeMgr* child : ChildManagers())
        if (child->AreWindowsOpen())
            return true;
    return false;
}

bool ZRNodeMgr::DoCloseWindows() {
    if (!CloseWindows())
        return false;
    for (ZRNodeMgr* child : ChildManagers())
        if (!child->DoCloseWindows())
            return false;
    return true;
}

// ---- Menus

void ZRNodeMgr::GettingFocus(bool gaining) {
    QWidget* main = platform::ui::GetMainWindow();
    QMenuBar* bar = main ? main->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!bar)
        return;
    const QList<QAction*> top = bar->actions();
    QMenu* commands = nullptr;
    for (qsizetype i = top.size(); i-- > 0;) {
        if (top[i]->text() == QStringLiteral("&Commands") && top[i]->menu()) {
            commands = top[i]->menu();
            break;
        }
    }
    if (!commands)
        return;
    const QList<QAction*> items = commands->actions();
    for (qsizetype i = 2; i < items.size(); ++i) {
        commands->removeAction(items[i]);
        // Later: the command being run may be one of these items.
        items[i]->deleteLater();
    }
    if (gaining && m_MenuId)
        PopulateCommandMenu(commands, m_MenuId, m_SubMenu);
}

void ZRNodeMgr::PopulateCommandMenu(QMenu* target, unsigned int menuId, int position) {
    const std::vector<platform::ui::MenuItem>* menu = platform::ui::FindMenu(menuId);
    if (!target || !menu || position < 0 || size_t(position) >= menu->size())
        return;
    const std::vector<platform::ui::MenuItem>& sub = (*menu)[size_t(position)].items;
    for (size_t i = sub.size(); i-- > 0;) {
        if (sub[i].text == "Commands") {
            platform::ui::FillMenu(*target, sub[i].items);
            return;
        }
    }
}

QMenu* ZRNodeMgr::CreateContextMenu(std::unique_ptr<QMenu>& holder) {
    if (!m_MenuId)
        return nullptr;
    const std::vector<platform::ui::MenuItem>* menu = platform::ui::FindMenu(m_MenuId);
    if (!menu)
        return nullptr;
    holder = std::make_unique<QMenu>();
    platform::ui::FillMenu(*holder, *menu);
    const QList<QAction*> items = holder->actions();
    if (m_SubMenu < 0 || m_SubMenu >= items.size())
        return nullptr;
    return items[m_SubMenu]->menu();
}

// ---- Views and frames

namespace {

ZRMvcModel* ModelOf(ZRPropertiesView* view) {
    return view;
}

// Closes the view's document: its frame goes without asking the node, or the view alone when it
// has no frame.
void CloseView(QWidget* view) {
    if (!view)
        return;
    if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(view))
        frame->Destroy();
    else
        view->deleteLater();
}

CSizableChildFrame* FrameOfView(QWidget* view) {
    return dynamic_cast<CSizableChildFrame*>(platform::ui::ChildFrame::FrameOf(view));
}

void SetIcon(CSizableChildFrame* frame, unsigned short iconId) {
    if (!frame || !iconId)
        return;
    // The document area's tab shows the frame's icon as well.
    frame->setWindowIcon(platform::ui::Resources::Icon(iconId));
}

// The new frame draws at once.
void DispatchPaints() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void SetTitle(QWidget* view, const std::string& title) {
    QWidget* window = platform::ui::ChildFrame::FrameOf(view);
    (window ? window : view)->setWindowTitle(platform::ui::ToQString(title));
}

// Makes the frame lay itself out again: one pixel narrower, as long as it is not maximized or minimized.
void NudgeFrame(CSizableChildFrame* frame) {
    if (frame->isMaximized() || frame->isMinimized())
        return;
    frame->resize(frame->width() - 1, frame->height());
}

} // namespace

ZRPropertiesView* ZRNodeMgr::GetPropsView(int index) const {
    return index >= 0 && size_t(index) < m_PropsViews.size() ? m_PropsViews[size_t(index)] : nullptr;
}

CSizableChildFrame* ZRNodeMgr::GetPropsFrame(int index) const {
    return index >= 0 && size_t(index) < m_PropsFrames.size() ? m_PropsFrames[size_t(index)] : nullptr;
}

void ZRNodeMgr::ShowProperties() {
    if (ShowProps())
        return;
    platform::ui::WaitCursor wait;
    const bool withStatus = !m_Statuses.GetProperties().empty() || !m_Statuses.GetGroups().empty();
    if (!withStatus)
        ZRPropertiesView::s_bCreateStatusPane = false;
    if (!HasCommands())
        ZRPropertiesView::s_bCreateServicesPane = false;
    ZRModelDoc* document = BuildPropsDoc();
    ZRPropertiesView* view = nullptr;
    if (document && !document->GetViews().empty())
        view = dynamic_cast<ZRPropertiesView*>(document->GetViews().front());
    if (!view) {
        // No view read the one-shot switches: they must not strip the panes of the next one.
        ZRPropertiesView::s_bCreateStatusPane = true;
        ZRPropertiesView::s_bCreateServicesPane = true;
        return;
    }
    // The document has no other owner: it goes with its view.
    QObject::connect(view, &QObject::destroyed, [document] { delete document; });
    SetPropsView(view);

    ZRDevice* device = m_pModel ? m_pModel->GetDevice() : nullptr;
    // Without a device there is nothing to re-read on the idle tick.
    const bool offLine = !device || device->IsOffLine();
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->SetOffLine(offLine);
    if (view->m_pStatusGrid)
        view->m_pStatusGrid->SetOffLine(offLine);
    if (m_pPropsFrame)
        m_pPropsFrame->SetController(this);

    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        BuildPropertyRows(grid->GetRows());
        grid->UpdateRows();
        grid->Backup();
        CollapseGroups(&m_Properties);
    }
    if (withStatus && view->m_pStatusGrid) {
        BuildStatusRows(view->m_pStatusGrid->GetRows());
        view->m_pStatusGrid->UpdateRows();
        CollapseGroups(&m_Statuses);
    }
    if (HasCommands() && view->m_pServicesGrid) {
        BuildCommandRows(view->m_pServicesGrid->GetRows());
        view->m_pServicesGrid->UpdateRows();
    }
    if (m_pPropsFrame)
        m_pPropsFrame->SetHelpTopic(m_PropsHelpTopic);
    SizeAndShowProps(m_PropsHeight, m_PropsWidth);
}

void ZRNodeMgr::SetPropsView(ZRPropertiesView* view) {
    m_pPropsView = view;
    ModelOf(view)->AddObserver(this);
    m_pPropsFrame = FrameOfView(view);
    if (m_pPropsFrame)
        m_pPropsFrame->SetPrimary(true);
    GettingFocus(true);
    if (m_pTitleName) {
        ZRUpdate update(ZRUpdate::ValueChanged);
        OnUpdate(m_pTitleName, &update);
    }
    SetIcon(m_pPropsFrame, m_IconId);
    view->SetObject(m_pModel);
    DispatchPaints();
}

void ZRNodeMgr::AddPropsView(ZRPropertiesView* view, unsigned short iconId, std::string titleFormat,
                             ZRStringAttribute* titleAttribute) {
    CSizableChildFrame* frame = FrameOfView(view);
    m_PropsViews.push_back(view);
    m_PropsFrames.push_back(frame);
    m_IconIds.push_back(iconId);
    m_TitleFormats.push_back(std::move(titleFormat));
    m_TitleNames.push_back(titleAttribute);
    ModelOf(view)->AddObserver(this);
    if (titleAttribute)
        titleAttribute->AddObserver(this);
    GettingFocus(false);
    if (titleAttribute) {
        ZRUpdate update(ZRUpdate::ValueChanged);
        OnUpdate(titleAttribute, &update);
    }
    SetIcon(frame, iconId);
    view->SetObject(m_pModel);
    DispatchPaints();
}

void ZRNodeMgr::AddSimpleView(QWidget* view, ZRMvcModel* model) {
    m_Views.push_back(view);
    m_ViewModels.push_back(model);
    if (model)
        model->AddObserver(this);
}

bool ZRNodeMgr::ShowProps() {
    if (!m_pPropsFrame)
        return false;
    m_pPropsFrame->ActivateFrame(m_pPropsFrame->isMinimized() ? platform::ui::ChildFrame::ShowRestore
                                                              : platform::ui::ChildFrame::ShowKeep);
    if (m_pPropsView)
        m_pPropsView->setFocus();
    return true;
}

void ZRNodeMgr::SizeAndShowProps(float height, float width) {
    if (m_pPropsView)
        m_pPropsView->SetDefaultSizing(height, width);
    if (!m_pPropsFrame)
        return;
    NudgeFrame(m_pPropsFrame);
    m_pPropsFrame->ActivateFrame(platform::ui::ChildFrame::ShowKeep);
}

void ZRNodeMgr::SizeAndShowView(ZRPropertiesView* view, float height, float width) {
    for (size_t i = m_PropsViews.size(); i-- > 0;) {
        if (m_PropsViews[i] != view)
            continue;
        CSizableChildFrame* frame = m_PropsFrames[i];
        if (!frame)
            return;
        view->SetDefaultSizing(height, width);
        NudgeFrame(frame);
        frame->ActivateFrame(platform::ui::ChildFrame::ShowKeep);
        return;
    }
}

bool ZRNodeMgr::CloseWindows() {
    // Each entry is dropped here rather than on the view's reason Destroying: frames go later, after the
    // current event, and the loops must end now.
    if (m_pPropsFrame || m_pPropsView) {
        ZRPropertiesView* view = m_pPropsView;
        DropMainView();
        CloseView(view);
        m_pPropsFrame = nullptr;
    }
    while (!m_PropsViews.empty()) {
        ZRPropertiesView* view = m_PropsViews.front();
        DropPropsView(0);
        CloseView(view);
    }
    while (!m_Views.empty()) {
        QWidget* view = m_Views.front();
        DropSimpleView(0);
        CloseView(view);
    }
    return true;
}

void ZRNodeMgr::SavePowerUpValues() {
    ZRDevice* device = m_pModel ? m_pModel->GetDevice() : nullptr;
    if (device)
        device->SavePowerUpValues();
}

void ZRNodeMgr::DropMainView() {
    if (!m_pPropsView)
        return;
    SavePowerUpValues();
    ForgetAll(ModelOf(m_pPropsView));
    m_pPropsView = nullptr;
    m_pPropsFrame = nullptr;
}

void ZRNodeMgr::DropPropsView(size_t index) {
    SavePowerUpValues();
    ForgetAll(ModelOf(m_PropsViews[index]));
    if (ZRStringAttribute* title = m_TitleNames[index])
        title->RemoveObserver(this);
    const auto at = [index](auto& v) { v.erase(v.begin() + std::ptrdiff_t(index)); };
    at(m_PropsViews);
    at(m_PropsFrames);
    at(m_IconIds);
    at(m_TitleFormats);
    at(m_TitleNames);
}

void ZRNodeMgr::DropSimpleView(size_t index) {
    if (ZRMvcModel* model = m_ViewModels[index])
        ForgetAll(model);
    m_Views.erase(m_Views.begin() + std::ptrdiff_t(index));
    m_ViewModels.erase(m_ViewModels.begin() + std::ptrdiff_t(index));
}

void ZRNodeMgr::ForgetAll(ZRMvcModel* model) {
    const auto has = [this](const std::vector<Observer*>& list) {
        return std::find(list.begin(), list.end(), this) != list.end();
    };
    while (has(model->GetObservers()) || has(model->GetPending()))
        model->RemoveObserver(this);
}

// ---- Change messages

void ZRNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        TitleChanged(subject);
        break;
    case ZRUpdate::Destroying:
        Destroyed(subject);
        break;
    case ZRUpdate::ChildRemoved:
        if (m_pModel && subject == static_cast<ZRMvcModel*>(m_pModel))
            RemoveLostChildren();
        break;
    default:
        break;
    }
}

void ZRNodeMgr::TitleChanged(platform::core::Subject* subject) {
    if (!subject)
        return;
    if (m_pTreeName && subject == static_cast<ZRMvcModel*>(m_pTreeName) && m_pTree && m_pNode)
        m_pTree->SetItemText(m_pNode, m_pTreeName->GetValue());
    if (m_pTitleName && subject == static_cast<ZRMvcModel*>(m_pTitleName) && m_pPropsView)
        SetTitle(m_pPropsView, FillTitle(m_TitleFormat, m_pTitleName));
    for (size_t i = m_PropsViews.size(); i-- > 0;) {
        ZRStringAttribute* title = m_TitleNames[i];
        if (title && subject == static_cast<ZRMvcModel*>(title))
            SetTitle(m_PropsViews[i], FillTitle(m_TitleFormats[i], title));
    }
}

void ZRNodeMgr::Destroyed(platform::core::Subject* subject) {
    if (m_pPropsView && subject == ModelOf(m_pPropsView)) {
        DropMainView();
        return;
    }
    if (m_pModel && subject == static_cast<ZRMvcModel*>(m_pModel)) {
        ZRStringAttribute* name = &m_pModel->GetName();
        ForgetAll(m_pModel);
        name->RemoveObserver(this);
        // The name goes with the object; a second registration (as a title) still tells us.
        if (m_pTreeName == name)
            m_pTreeName = nullptr;
        SetModel(nullptr);
        return;
    }
    for (size_t i = m_PropsViews.size(); i-- > 0;) {
        if (subject == ModelOf(m_PropsViews[i])) {
            DropPropsView(i);
            return;
        }
    }
    for (size_t i = m_ViewModels.size(); i-- > 0;) {
        if (m_ViewModels[i] && subject == m_ViewModels[i]) {
            DropSimpleView(i);
            return;
        }
    }
    // A title attribute that goes before the node must not be touched again.
    if (m_pTitleName && subject == static_cast<ZRMvcModel*>(m_pTitleName))
        m_pTitleName = nullptr;
    for (ZRStringAttribute*& title : m_TitleNames)
        if (title && subject == static_cast<ZRMvcModel*>(title))
            title = nullptr;
    if (m_pTreeName && subject == static_cast<ZRMvcModel*>(m_pTreeName))
        m_pTreeName = nullptr;
}

void ZRNodeMgr::RemoveLostChildren() {
    if (!m_pTree || !m_pNode)
        return;
    const ZRObject::ObjectList& children = m_pModel->GetChildren();
    for (ZRTreeItem* item : m_pTree->Children(m_pNode)) {
        auto* manager = m_pTree->ItemDataAs<ZRNodeMgr>(item);
        if (!manager)
            continue;
        ZRObject* object = manager->GetModel();
        if (object && std::find(children.begin(), children.end(), object) != children.end())
            continue;
        manager->Cleanup();
        m_pTree->SetItemData(item, nullptr);
        delete manager;
        m_pTree->DeleteItem(item);
    }
    m_pTree->viewport()->update();
}

#include "TestNodes.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/MainWindow.h"

TestRow::TestRow(ZRAttribute* a, bool s) : attribute(a), status(s) {
    SetHeader(std::make_unique<ZRStaticHeader>(a->GetName()));
}

std::unique_ptr<ZRGridRow> TestRowFactory::CreateRow(ZRAttribute* attribute, bool status) {
    requests.emplace_back(attribute, status);
    if (refused.count(attribute))
        return nullptr;
    return std::make_unique<TestRow>(attribute, status);
}

ScopedRowFactory::ScopedRowFactory(ZRMonitorRowFactory* factory) : m_pPrevious(ZRNodeMgr::s_pRowFactory) {
    ZRNodeMgr::SetFactory(factory);
}

ScopedRowFactory::~ScopedRowFactory() {
    ZRNodeMgr::SetFactory(m_pPrevious);
}

ZRModelDoc* OpenPropsDocument(platform::ui::MainWindow* main) {
    auto* document = new ZRModelDoc;
    auto* frame = new CSizableChildFrame;
    auto* view = new ZRPropertiesView;
    frame->SetView(view);
    document->AddView(view);
    if (main)
        main->AddChildFrame(frame);
    return document;
}

// ---- TestNodeMgr

int TestNodeMgr::s_Live = 0;
int TestNodeMgr::s_Made = 0;

TestNodeMgr::TestNodeMgr(ZRTreeItem* item, ZRObject* object, ZRWorkspaceView* view)
    : ZRNodeMgr(item, object, view) {
    ++s_Live;
    ++s_Made;
}

TestNodeMgr::~TestNodeMgr() {
    --s_Live;
}

void TestNodeMgr::Initialize() {
    ++initializeCalls;
    if (ZRObject* object = GetModel()) {
        m_Properties.SetName(object->GetName().GetValue());
        for (ZRAttribute* attribute : object->GetProperties())
            m_Properties.AddProperty(attribute);
        m_Statuses.SetName("Status");
        for (ZRAttribute* attribute : object->GetStatus())
            m_Statuses.AddProperty(attribute);
    }
    ZRUpdate update(ZRUpdate::InitialUpdate);
    OnUpdate(GetModel(), &update);
}

void TestNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    reasons.push_back(reason);
    if ((reason == ZRUpdate::InitialUpdate || reason == ZRUpdate::ChildAdded) && GetModel() &&
        subject == static_cast<ZRMvcModel*>(GetModel()))
        AddChildNodes([this](ZRTreeItem* item, ZRObject* child) { return MakeChild(item, child); });
    ZRNodeMgr::OnUpdate(subject, message);
}

ZRNodeMgr* TestNodeMgr::MakeChild(ZRTreeItem* item, ZRObject* child) {
    auto* node = new TestNodeMgr(item, child, GetTree());
    node->mainWindow = mainWindow;
    return node;
}

const platform::ui::CommandTable* TestNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<TestNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(kOwnCommand, [](TestNodeMgr& node) { ++node.ownCommands; })}, &TailCommands()};
    return &table;
}

void TestNodeMgr::DoCommand(unsigned int id) {
    doCommands.push_back(id);
}

bool TestNodeMgr::CanClose(CSizableChildFrame*) {
    return canClose;
}

bool TestNodeMgr::CanImport(int32_t typeId) {
    return importable.count(typeId) > 0;
}

void TestNodeMgr::CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) {
    if (drop)
        drop(dragged, dropItem, copyPlain, copyWithCtrl);
    else
        ZRNodeMgr::CanDrop(dragged, dropItem, copyPlain, copyWithCtrl);
}

void TestNodeMgr::DefaultAction() {
    ++defaultActions;
    ZRNodeMgr::DefaultAction();
}

ZRModelDoc* TestNodeMgr::BuildPropsDoc() {
    ++propsDocs;
    return noPropsDoc ? nullptr : OpenPropsDocument(mainWindow);
}

void TestNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    for (const auto& [caption, id] : commandRows)
        rows.push_back(std::make_unique<ZRCommandRow>(caption, id, this));
}

// ---- TestTree

TestTree::TestTree(platform::ui::MainWindow* main) : root(std::make_unique<TestObject>()) {
    root->Init();
    root->GetName().SetValue("Root");
    root->Create(&device);
    view = std::make_unique<ZRWorkspaceView>();
    ZRTreeItem* item = view->InsertItem("Root");
    rootNode = new TestNodeMgr(item, root.get(), view.get());
    rootNode->mainWindow = main;
    view->SetItemData(item, rootNode);
    rootNode->Initialize();
}

TestTree::~TestTree() {
    view.reset();
    root.reset();
}

TestObject* TestTree::AddChild(const std::string& name, ZRObject* parent, int32_t cls) {
    std::unique_ptr<ZRObject> made = factory.CreateObject(cls);
    auto* child = dynamic_cast<TestObject*>(made.get());
    if (!child)
        return nullptr;
    child->Init();
    child->GetName().SetValue(name);
    (parent ? parent : root.get())->AddChild(std::move(made), true);
    return child;
}

TestNodeMgr* TestTree::Node(const std::string& path) const {
    return dynamic_cast<TestNodeMgr*>(view->GetNodeMgr(path));
}

ZRTreeItem* TestTree::Item(const std::string& path) const {
    ZRNodeMgr* node = view->GetNodeMgr(path);
    return node ? node->GetNode() : nullptr;
}

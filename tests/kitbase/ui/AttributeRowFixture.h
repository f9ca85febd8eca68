// A property grid under the offscreen platform with a fake storage behind its attributes, for the
// tests of the attribute rows.
#pragma once

#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/CellControl.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

// A text attribute whose writes throw, as a drive error that the attribute does not catch.
class ThrowingAttribute : public ZRStringAttribute {
public:
    explicit ThrowingAttribute(ZRDevice*& device) : ZRStringAttribute(device, 0, NoPadding, ' ') {}
    bool SetAsString(const std::string&) override { throw ZRError(5, "Boom"); }
};

class AttributeRowTest : public testing::Test {
protected:
    AttributeRowTest() {
        object.SetDevice(&device);
        object.SetInstance(1);
        platform::ui::SetControlFactory(&factory);
        grid = std::make_unique<ZRPropertiesGrid>();
        grid->SetOffLine(true);
        grid->SetTitle("Parameter");
        grid->OnInitialUpdate();
    }
    ~AttributeRowTest() override {
        grid.reset();
        platform::ui::SetControlFactory(nullptr);
    }

    // Binds an attribute to the test object under the id, with a name.
    template <class A> A& Bind(A& attribute, int32_t id, const std::string& name) {
        attribute.SetObject(&object);
        attribute.Define(id);
        attribute.SetName(name);
        return attribute;
    }
    FakeStorage::Key Key(int32_t id) const { return {object.GetClass(), 1, id}; }

    template <class R> R* Add(R* row) {
        grid->GetRows().emplace_back(row);
        return row;
    }
    // Lays the grid out, shows it and takes the revert point, as a node manager does.
    void Layout() {
        grid->UpdateRows();
        grid->Backup();
        grid->resize(560, 420);
        ASSERT_TRUE(ShowActive(*grid));
    }

    // ---- the user's side
    QWidget* KeyTarget() {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == grid.get() || grid->isAncestorOf(focus)))
            return focus;
        if (QWidget* editor = grid->ActiveEditor())
            return editor->focusProxy() ? editor->focusProxy() : editor;
        return grid.get();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(KeyTarget(), key, mods);
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p)
            QTest::keyClick(KeyTarget(), *p);
    }
    // Selects all of the cell's text and types over it.
    void Edit(int row, const char* text) {
        ASSERT_TRUE(grid->SetCurrentCell(row, 2));
        ASSERT_TRUE(grid->ActivateCurrentCell());
        Key(Qt::Key_A, Qt::ControlModifier);
        Type(text);
    }
    void ClickButton(int row, int button = 0) {
        QPoint at = grid->CellButtonRect(row, 2, button).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
    std::pair<int, int> Current() const {
        int r = 0, c = 0;
        grid->GetCurrentCell(r, c);
        return {r, c};
    }
    // What the value cell shows (an entry's text for a drop-down).
    std::string Shown(int row) const {
        return grid->model()->index(row - 1, 2).data().toString().toStdString();
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    CGridControlFactory factory;
    std::unique_ptr<ZRPropertiesGrid> grid;
};

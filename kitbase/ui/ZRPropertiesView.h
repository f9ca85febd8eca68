#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QPushButton;
class ZRObject;
class ZRPropertiesGrid;
class ZRServicesGrid;

namespace platform::ui {
class Grid;
class Splitter;
} // namespace platform::ui

// A node's property sheet: the parameter grid, and optionally a status grid below it and a services
// grid beside it, in splitter panes, over the "Show Status" and "Show Commands" boxes and the
// "Setup...", "Revert", "Close" and "Help" buttons. Its observers (the node manager) hear reason Destroying
// when it goes away.
class ZRPropertiesView : public QWidget, public platform::ui::View, public ZRMvcModel {
public:
    // Controls.
    // The test harness's query message.
    static constexpr unsigned kVtMessage = 0xBFE4;

    // Builds the panes; a pane switch that was cleared leaves its pane out and reads true again.
    explicit ZRPropertiesView(QWidget* parent = nullptr);
    // Deletes a free parameter grid, then tells the observers (reason Destroying).
    ~ZRPropertiesView() override;

    // The parameter share of the height while the status pane shows; the second is kept only.
    void SetDefaultSizing(float first, float second);
    float GetFirstSizing() const { return m_FirstSizing; }
    void SetObject(ZRObject* object) { m_pObject = object; }
    ZRObject* GetObject() const { return m_pObject; }
    // Remembers the grid (or window) that holds the focus inside the view: 1, else 0.
    int SaveFocusControl();
    // The harness query: type 1 cell text to the page, 2 page text to the cell, 3 the cell's
    // rectangle in the parameter grid, 4 in the status grid on the screen. Always 0.
    long OnVtMessage(unsigned int type, long cell);

    void OnInitialUpdate() override;
    void OnActivateView(bool activate, platform::ui::View* activated,
                        platform::ui::View* deactivated) override;
    void OnActivateFrame(bool active, platform::ui::ChildFrame* frame) override;

    const platform::ui::CommandTable* Commands() const override;

    void OnNextPaneCmd();
    void OnPrevPaneCmd();
    void OnRevert();
    void OnSetupMonitor();
    void OnShowCommands();
    void OnShowStatus();

    // A control by id; null for an unknown id.
    QAbstractButton* Item(int id) const;
    bool HasStatusPane() const { return m_bStatusPane; }
    bool HasServicesPane() const { return m_bServicesPane; }
    platform::ui::Splitter* GetOuterSplitter() const { return m_pOuterSplitter; }
    platform::ui::Splitter* GetInnerSplitter() const { return m_pInnerSplitter; }
    QWidget* GetMainPane() const { return m_pMainPane; }

    // The node manager fills these; a missing pane leaves its grid null.
    ZRServicesGrid* m_pServicesGrid = nullptr;
    ZRPropertiesGrid* m_pPropertiesGrid = nullptr;
    ZRPropertiesGrid* m_pStatusGrid = nullptr;

    // One-shot switches: a node manager clears one just before it opens a view without that pane.
    static bool s_bCreateStatusPane;
    static bool s_bCreateServicesPane;

protected:
    // Links the panes for Tab and the pane commands.
    void UpdateTabs();
    void OnSize(int cx, int cy);
    void resizeEvent(QResizeEvent* event) override;

private:
    void Create();
    bool OnOwnControl() const;
    // What the parameter row (with services) and the status pane need of the height.
    int ParameterHeightNeed() const;
    int StatusHeightNeed() const;
    int ScrollExtent() const;

    platform::ui::Splitter* m_pOuterSplitter = nullptr; // parameters above status
    platform::ui::Splitter* m_pInnerSplitter = nullptr; // parameters left, services right
    bool m_bStatusPane = true;
    bool m_bServicesPane = true;
    QWidget* m_pMainPane = nullptr;
    ZRObject* m_pObject = nullptr;
    QRect m_LastClient;
    float m_FirstSizing = 0.6f;
    float m_SecondSizing = 0.7f;
    QCheckBox* m_pShowStatus = nullptr;
    QPushButton* m_pClose = nullptr;
    QPushButton* m_pRevert = nullptr;
    QCheckBox* m_pShowCommands = nullptr;
    QPushButton* m_pHelp = nullptr;
    QPushButton* m_pSetup = nullptr;

    bool m_bInitialized = false; // the controls are bound
    bool m_bLaidOut = false;     // the splitters have had their first layout from the contents
    QPointer<QWidget> m_pFocus;
    QMetaObject::Connection m_FocusLink;
};

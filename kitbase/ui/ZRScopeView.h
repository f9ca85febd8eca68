#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QPushButton;
class ZRGraphControl;
class ZRNodeMgr;
class ZRPropertiesGrid;
class ZRScope;
class ZRScopeServicesView;

namespace platform::ui {
class Splitter;
}

// A drive's oscilloscope window: the plot above the capture commands on the left, the scope's
// settings in a property grid on the right, and a row of buttons. On line it polls the scope on
// every idle tick and plots each completed capture; any value change of the scope replots what the
// scope holds. Its observers (the node manager) hear reason Destroying when it goes away.
class ZRScopeView : public QWidget,
                    public platform::ui::View,
                    public ZRMvcModel,
                    public platform::core::Observer {
public:
    // Controls.

    explicit ZRScopeView(QWidget* parent = nullptr);
    // Stops listening to the idle ticks, tells its observers (reason Destroying), lets go of the scope.
    ~ZRScopeView() override;

    // Observes the scope, and the idle ticks when its device is on line. Bound once.
    void SetObject(ZRScope* scope);
    ZRScope* GetScope() const { return m_pScope; }
    // Passed on to the services view.
    void SetCmdNodeMgr(ZRNodeMgr* manager);
    ZRScopeServicesView* GetScopeServicesView() const { return m_pServicesView; }
    // -1: every channel labels its own grid line; n: channel n labels the vertical axis.
    void SetYLabels(int yLabels) { m_YLabels = yLabels; }
    int GetYLabels() const { return m_YLabels; }

    // Plots every enabled channel that holds valid samples, after reading a completed capture
    // first when collect is set.
    void PlotData(bool collect);
    // Reason IdleTick: plots a completed capture; reason ValueChanged from the scope: plots again.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Saves the samples of the plotted channels as tab-separated text.
    void OnSaveData();
    void OnRevert();
    void OnShowCommands();
    void OnShowProperties();
    void OnNextPaneCmd();
    void OnPrevPaneCmd();
    // The harness query on the property grid: 1 cell text to the page, 2 page text to the cell,
    // 3 the cell's rectangle. Always 0.
    long OnVtMessage(unsigned int type, long cell);

    const platform::ui::CommandTable* Commands() const override;

    ZRPropertiesGrid* GetPropertyGrid() const { return m_pPropertyGrid; }
    ZRGraphControl* GetGraphControl() const { return m_pChart; }
    platform::ui::Splitter* GetOuterSplitter() const { return m_pOuterSplitter; }
    platform::ui::Splitter* GetInnerSplitter() const { return m_pInnerSplitter; }
    // A control by id; null for an unknown id.
    QAbstractButton* Item(int id) const;
    // The samples of the last plot.
    const std::vector<float>& GetSamples() const { return m_Samples; }

protected:
    // Links the panes for Tab and the pane commands.
    void UpdateTabs();
    void OnSize(int cx, int cy);
    void resizeEvent(QResizeEvent* event) override;

private:
    void Create();
    void StopObservingIdle();
    // Writes the columns as the save dialog's file; false when the file could not be written.
    bool WriteData(const std::string& path, const std::vector<std::string>& titles,
                   const std::vector<std::vector<float>>& columns, int lines);

    ZRPropertiesGrid* m_pPropertyGrid = nullptr;
    ZRGraphControl* m_pChart = nullptr;
    int m_ServicesHeight = 0; // kept while the services row is hidden
    int m_PropertyWidth = 0;  // kept while the property column is hidden
    int m_YLabels = -1;
    platform::ui::Splitter* m_pOuterSplitter = nullptr; // left part, property grid
    platform::ui::Splitter* m_pInnerSplitter = nullptr; // chart above services
    ZRScope* m_pScope = nullptr;
    ZRScopeServicesView* m_pServicesView = nullptr;
    std::vector<float> m_Samples;
    QPushButton* m_pSave = nullptr;
    QCheckBox* m_pShowProperties = nullptr;
    QCheckBox* m_pShowCommands = nullptr;
    QPushButton* m_pRevert = nullptr;
    QPushButton* m_pHelp = nullptr;
    QPushButton* m_pClose = nullptr;
    QRect m_LastClient;
    bool m_bObservingIdle = false;
    bool m_bLaidOut = false;
};

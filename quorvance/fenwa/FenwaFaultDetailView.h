#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

class FenwaFaultDetailServicesView;
class FenwaFaults;
class QAbstractButton;
class QCheckBox;
class QPushButton;
class ZRGraphControl;
class ZRPropertiesGrid;

namespace platform::ui {
class Splitter;
}

// The fault-detail window of a Fenwa drive: the four capture channels the drive recorded around
// its last fault plotted against time above the window's commands, the capture set-up in a
// property grid at the right, and "Save...", "Close" and "Help". Every value change of the faults
// block replots; its observers (the faults node) hear reason Destroying when it goes away.
class FenwaFaultDetailView : public QWidget,
                             public platform::ui::View,
                             public ZRMvcModel,
                             public platform::core::Observer {
public:
    explicit FenwaFaultDetailView(QWidget* parent = nullptr);
    ~FenwaFaultDetailView() override;

    // Observes the block (not owned).
    void SetObject(FenwaFaults* faults);
    FenwaFaults* GetFaults() const { return m_pFaults; }
    // -1: every channel labels its own grid line; n: channel n labels the vertical axis.
    void SetYLabels(int yLabels) { m_YLabels = yLabels; }
    int GetYLabels() const { return m_YLabels; }

    // Plots every captured, visible channel, one display and y scale each.
    void PlotData();
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Writes every captured channel as tab-separated text; a file that cannot be written is reported.
    void OnSaveData();
    void OnShowCommands();
    void OnShowProperties();
    void OnNextPaneCmd();
    void OnPrevPaneCmd();

    const platform::ui::CommandTable* Commands() const override;

    ZRPropertiesGrid* GetPropertyGrid() const { return m_pPropertyGrid; }
    ZRGraphControl* GetGraphControl() const { return m_pChart; }
    FenwaFaultDetailServicesView* GetServicesView() const { return m_pServicesView; }
    // A control by id; null for an unknown id.
    QAbstractButton* Item(int id) const;

protected:
    void OnSize(int cx, int cy);
    void resizeEvent(QResizeEvent* event) override;

private:
    void Create();
    bool WriteData(const std::string& path, const std::vector<std::string>& titles,
                   const std::vector<std::vector<float>>& columns);

    FenwaFaults* m_pFaults = nullptr;
    ZRPropertiesGrid* m_pPropertyGrid = nullptr;
    ZRGraphControl* m_pChart = nullptr;
    FenwaFaultDetailServicesView* m_pServicesView = nullptr;
    platform::ui::Splitter* m_pOuterSplitter = nullptr; // left part, property grid
    platform::ui::Splitter* m_pInnerSplitter = nullptr; // chart above commands
    QPushButton* m_pSave = nullptr;
    QCheckBox* m_pShowProperties = nullptr;
    QCheckBox* m_pShowCommands = nullptr;
    QPushButton* m_pHelp = nullptr;
    QPushButton* m_pClose = nullptr;
    std::vector<float> m_Samples;
    int m_YLabels = -1;
    int m_ServicesHeight = 0; // kept while the command row is hidden
    int m_PropertyWidth = 0;  // kept while the property column is hidden
    QRect m_LastClient;
    bool m_bLaidOut = false;
};

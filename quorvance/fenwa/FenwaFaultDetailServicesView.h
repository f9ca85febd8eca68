#pragma once

#include "kitbase/ui/ZRPaneLinks.h"
#include "platform/ui/View.h"

#include <QWidget>

#include <array>
#include <string>

class FenwaFaultDetailView;
class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;
class ZRSwatchButton;

// The pane under the fault-detail plot: "Refresh Data", the "y-axis Labels:" choice and a legend
// with a colour swatch per capture channel.
class FenwaFaultDetailServicesView : public QWidget, public platform::ui::View {
public:
    static constexpr int kChannels = 4;
    static constexpr int kFirstLabelId = 33103;  // channel labels 33103 to 33106
    static constexpr int kFirstSwatchId = 33107; // swatches 33107 to 33110
    static constexpr int kYLabelComboId = 33111;

    explicit FenwaFaultDetailServicesView(QWidget* parent = nullptr);
    ~FenwaFaultDetailServicesView() override;

    void SetFaultDetailView(FenwaFaultDetailView* view) { m_pView = view; }
    // The check box that mirrors whether the pane is shown (not owned).
    void SetShowButton(QAbstractButton* button) { m_pShowButton = button; }
    void SetPanes(QWidget* next, QWidget* previous) { m_Panes.Set(next, previous); }

    // Null outside channels 0 to 3.
    ZRSwatchButton* GetLabelColorCtrl(int channel) const;
    // A text shows the channel's label and swatch; an empty one hides both.
    void SetLabelText(int channel, const std::string& text);
    std::string GetLabelText(int channel) const;
    bool IsLabelShown(int channel) const;
    QPushButton* GetRefreshCtrl() const { return m_pRefresh; }
    QComboBox* GetYLabelCombo() const { return m_pYLabelCombo; }
    // A control by id; null for an unknown id.
    QWidget* Item(int id) const;

    // Uploads the four channels again and replots.
    void OnRefreshData();
    // Entry i labels the vertical axis with channel i - 1 (0: each channel its own line); replots.
    void OnSelchangeCboYlabel();
    void OnNextPaneCmd();
    void OnPrevPaneCmd();

    const platform::ui::CommandTable* Commands() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRPaneLinks m_Panes;
    QAbstractButton* m_pShowButton = nullptr;
    FenwaFaultDetailView* m_pView = nullptr;
    std::array<QLabel*, kChannels> m_Labels{};
    std::array<ZRSwatchButton*, kChannels> m_Swatches{};
    QPushButton* m_pRefresh = nullptr;
    QComboBox* m_pYLabelCombo = nullptr;
    int m_YLabelIndex = 0;
};

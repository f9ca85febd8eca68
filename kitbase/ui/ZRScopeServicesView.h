#pragma once

#include "kitbase/ui/ZRPaneLinks.h"
#include "platform/ui/View.h"

#include <QWidget>

#include <array>
#include <string>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;
class ZRNodeMgr;
class ZRScopeView;
class ZRSwatchButton;

// The pane under the oscilloscope's plot: the capture commands, which go to the scope's node
// manager, the "y-axis Labels:" choice, and a legend with a colour swatch per channel.
class ZRScopeServicesView : public QWidget, public platform::ui::View {
public:
    static constexpr int kFirstLabelId = 19829;  // channel labels 19829 to 19832
    static constexpr int kFirstSwatchId = 19833; // swatches 19833 to 19836
    static constexpr int kYLabelComboId = 19837;
    static constexpr int kChannels = 4;

    explicit ZRScopeServicesView(QWidget* parent = nullptr);
    ~ZRScopeServicesView() override;

    // Not owned; runs the capture commands.
    void SetCmdNodeMgr(ZRNodeMgr* manager) { m_pCmdNodeMgr = manager; }
    ZRNodeMgr* GetCmdNodeMgr() const { return m_pCmdNodeMgr; }
    void SetScopeView(ZRScopeView* view) { m_pScopeView = view; }
    // The check box that mirrors whether the pane is shown (not owned).
    void SetShowButton(QAbstractButton* button) { m_pShowButton = button; }
    void SetPanes(QWidget* next, QWidget* previous);

    QPushButton* GetArmTriggerCtrl() const { return m_pArmTrigger; }
    // Null outside channels 0 to 3.
    ZRSwatchButton* GetLabelColorCtrl(int channel) const;
    // A text shows the channel's label and swatch; an empty one hides both.
    void SetLabelText(int channel, const std::string& text);
    std::string GetLabelText(int channel) const;
    bool IsLabelShown(int channel) const;
    void ShowSnapShotButton(bool show);
    // A control by id; null for an unknown id.
    QWidget* Item(int id) const;
    QComboBox* GetYLabelCombo() const { return m_pYLabelCombo; }

    // A two-channel scope offers "Default", "Channel A" and "Channel B".
    void OnCbnDropdownCboYlabel();
    // Entry i labels the vertical axis with channel i - 1 (0: each channel its own line); replots.
    void OnSelchangeCboYlabel();
    void OnNextPaneCmd();
    void OnPrevPaneCmd();

    // The capture commands go to the node manager's DoCommand.
    const platform::ui::CommandTable* Commands() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRPaneLinks m_Panes;
    QAbstractButton* m_pShowButton = nullptr;
    ZRNodeMgr* m_pCmdNodeMgr = nullptr;
    ZRScopeView* m_pScopeView = nullptr;
    std::array<QLabel*, kChannels> m_Labels{};
    std::array<ZRSwatchButton*, kChannels> m_Swatches{};
    QPushButton* m_pArmTrigger = nullptr;
    int m_YLabelIndex = 0;
    QComboBox* m_pYLabelCombo = nullptr;
    QPushButton* m_pRunContinuous = nullptr;
    QPushButton* m_pStopTriggering = nullptr;
    QPushButton* m_pSnapShot = nullptr;
};

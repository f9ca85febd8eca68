#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZREncodersTarvik;

// The "Encoders" node of a Tarvik drive: the encoder settings and signals, the drive's five encoder
// diagnostics (each a test the drive runs in the drive node's control-panel window while the user
// watches its status) and, with the "Blob" start switch, the programming of a smart encoder.
class ZREncodersNodeMgrTarvik : public TarvikBlockNodeMgr {
public:
    // The drive's host control modes while a diagnostics window is open.
    static constexpr long kModeCommutation = 8;
    static constexpr long kModeMotorFeedback = 9;
    static constexpr long kModeMotorMarker = 10;
    static constexpr long kModeAuxFeedback = 11;
    static constexpr long kModeAuxMarker = 12;

    ZREncodersNodeMgrTarvik(ZREncodersTarvik* encoders, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;
    // A diagnostics window is the drive node's: it decides.
    bool CanClose(CSizableChildFrame* frame) override;

    ZREncodersTarvik* GetEncoders() const { return m_pEncoders; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    ZRNodeMgr* ParentNode() const;
    // Opens the diagnostics window of the host control mode, or brings it forward.
    void OpenDiagnostics(long mode);
    bool CanRunDiagnostics();
    bool CanProgramEncoder();
    void SetTestControl(int32_t value);
    void StartCommutationTest();

    ZREncodersTarvik* m_pEncoders;
};

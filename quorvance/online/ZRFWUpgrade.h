#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/TimerOwner.h"

#include <cstdint>
#include <string>
#include <vector>

class ZRBrokenNodeMgr;
class ZRNodeMgr;
class ZRObject;
class ZROnLine;

// "Firmware Upgrade": loads a firmware file into an on-line drive. The drive becomes its family's
// placeholder, whose node runs the blocking download while this dialog shows the progress and
// offers Cancel (both reach it through the events the node pumps); afterwards the node is
// identified again so that the drive comes back with its new firmware. The dialog stays open for
// further loads.
class ZRFWUpgrade : public platform::ui::Dialog, public platform::ui::TimerOwner {
public:
    enum : int {
        IDD = 258,
        IDC_FILE_NAME = 1002,
        IDC_BEGIN_LOAD = 1003,
        IDC_CANCEL_LOAD = 1004,
        IDC_PROGRESS = 1005,
        IDC_DRIVES = 1006,
        IDC_STATUS = 1007,
    };
    static constexpr int kProgressTimer = 1;
    static constexpr unsigned kProgressPeriodMs = 1000;
    // Zelna images up to version 0x300 are smaller than this, later ones larger.
    static constexpr uint64_t kZelnaImageBoundary = 660000;

    // onLineNode: the node of "On-Line Drives", below which the drives' nodes are found.
    ZRFWUpgrade(ZROnLine* onLine, ZRNodeMgr* onLineNode, QWidget* parent = nullptr);

    static bool IsZelnaFileCompatible(uint32_t version, uint64_t fileSize);

    // The list entries' drives, in list order.
    const std::vector<ZRObject*>& GetEntries() const { return m_Drives; }
    bool IsLoading() const { return m_bLoading; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnButton(int id) override;
    // Nothing closes the dialog while a load runs.
    void OnCancel() override;
    void OnTimer(int id) override;

    void OnBeginLoad();
    void OnCancelLoad();
    void ReconnectDrive(int index, bool succeeded);

private:
    std::string EntryName(ZRObject* drive) const;
    void SetEntry(int index, ZRObject* drive);
    void RemoveEntry(int index);
    void ShowEntries();
    // The node that shows the drive below "On-Line Drives", or null.
    ZRNodeMgr* FindNode(ZRObject* drive) const;
    bool IsOnLine(ZRObject* drive) const;
    void SetLoading(bool loading);

    ZROnLine* m_pOnLine;                         // not owned
    ZRNodeMgr* m_pOnLineNode;                    // not owned
    ZRBrokenNodeMgr* m_pBrokenNodeMgr = nullptr; // the placeholder's node during a load; not owned
    int m_TimerId = 0;
    uint8_t m_Node = 0;
    int m_Family = 0; // the filter of the identification after a load
    std::string m_FileName;
    int m_Selection = -1;
    std::vector<ZRObject*> m_Drives; // the entries' data; not owned
    bool m_bLoading = false;
};

#pragma once

#include "platform/ui/Dialog.h"

#include <string>

class NoxelComm;
class ZRHexEdit;

// "Tarvik Host Command": a terminal for the Noxel protocol. The user types two hex digits of node
// number and a raw request, sees the checksum the protocol appends, sends the request once and
// reads the raw answer with its checksum. Sent commands go into a history, newest first.
class ZRNoxelHostCmnd : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 259,
        IDC_SEND = 1019,
        IDC_COMMAND = 1020,
        IDC_COMMAND_CHECKSUM = 1021,
        IDC_RESPONSE = 1022,
        IDC_RESPONSE_CHECKSUM = 1023,
        IDC_CLOSE = 1027,
        IDC_HISTORY = 1109,
        IDC_RESPONSE_COLON = 1110,
        IDC_COMMAND_COLON = 1111,
    };

    explicit ZRNoxelHostCmnd(QWidget* parent = nullptr);
    ~ZRNoxelHostCmnd() override;

    // The application's one terminal: made modeless on first use (owned by the main window's
    // lifetime), shown and raised on every use.
    static ZRNoxelHostCmnd* ShowShared();

    void Send();
    // Copies the chosen history line into the command field.
    void CopyHistoryLine();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnControlChanged(int id) override;

private:
    void ShowChecksum();

    NoxelComm* m_pComm = nullptr; // not owned
    ZRHexEdit* m_pHexEdit = nullptr; // owned by the dialog (QObject child)
    std::string m_Command;
    std::string m_Response;
    std::string m_CommandChecksum;
    std::string m_ResponseChecksum;
};

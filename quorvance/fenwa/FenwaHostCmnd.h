#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// "Fenwa Host Command": a service terminal for the Fenwa command protocol. The user types two hex
// digits of node number and a raw command, sees the checksum the frame will carry, sends the
// command once and reads the raw reply with its checksum character. Nothing in the drive model
// changes. Sent commands go into a history, newest first, kept while the program runs.
class FenwaHostCmnd : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 318,
        IDC_SEND = 1019,
        IDC_COMMAND = 1020,
        IDC_COMMAND_CHECKSUM = 1021,
        IDC_RESPONSE = 1022,
        IDC_RESPONSE_CHECKSUM = 1023,
        IDC_CLOSE = 1027,
        IDC_HISTORY = 1109,
        IDC_RESPONSE_STX = 1110,
        IDC_COMMAND_STX = 1111,
        IDC_COMMAND_ETX = 1112,
        IDC_RESPONSE_ETX = 1113,
    };

    explicit FenwaHostCmnd(QWidget* parent = nullptr);
    ~FenwaHostCmnd() override;

    // The application's one terminal: made modeless on first use (owned by the main window's
    // lifetime), shown and raised on every use.
    static FenwaHostCmnd* ShowShared();

    // The node the command text addresses: its first two characters as far as they are
    // hexadecimal digits; 0 for none.
    static unsigned NodeOf(const std::string& command);
    // The checksum character the frame of the command text carries, empty for an empty text.
    static std::string ChecksumOf(const std::string& command);

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

    std::string m_Command;
    std::string m_Response;
    std::string m_CommandChecksum;
    std::string m_ResponseChecksum;
};

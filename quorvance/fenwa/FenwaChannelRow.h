#pragma once

#include "quorvance/tarvik/ZRNoxelChannelRow.h"

// A Fenwa signal parameter (an analog output's signal, a capture channel): the signal's name on a
// button that opens the channel chooser. Unlike the Tarvik row, OK with no signal ticked keeps the
// signal the parameter holds (written again) instead of choosing signal 0, which is a real signal
// here ("Velocity Feedback").
class FenwaChannelRow : public ZRNoxelChannelRow {
public:
    // The list is not owned.
    FenwaChannelRow(ZRAttribute* attribute, ZRChannelOptionList* list, std::unique_ptr<ZRRowHeader> header);

    void OnClickedButton(unsigned long column) override;

private:
    ZRChannelOptionList* m_pList; // not owned
    ZRChannelOption* m_pOption = nullptr;
};

#pragma once

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Observer.h"

#include <string>

class ZRChannelOptionList;
class ZRUlongAttribute;

// The name of the signal a channel attribute has chosen as the row's caption ("Unassigned" for
// an id no signal has); follows the attribute's changes.
class ZRChannelHeader : public ZRRowHeader, public platform::core::Observer {
public:
    // Neither is owned; the header observes the attribute until it goes.
    ZRChannelHeader(ZRUlongAttribute* channel, ZRChannelOptionList* options);
    ~ZRChannelHeader() override;
    ZRChannelHeader(const ZRChannelHeader&) = delete;
    ZRChannelHeader& operator=(const ZRChannelHeader&) = delete;

    // Rewrites the caption when the signal's name differs from it.
    void Refresh() override;
    // A value change of the attribute rewrites the caption.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRUlongAttribute* GetChannel() const { return m_pChannel; }

private:
    std::string ChannelName() const;

    ZRUlongAttribute* m_pChannel;    // null once it was destroyed
    ZRChannelOptionList* m_pOptions; // not owned
};

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZRChannelOption;

// A named branch of the signals a scope channel can show: sub-branches, which it owns, and options,
// which belong to the family list that made them.
class ZRChannelOptionList {
public:
    using Lists = std::vector<std::unique_ptr<ZRChannelOptionList>>;
    using Options = std::vector<ZRChannelOption*>;

    ZRChannelOptionList() = default;
    // Deletes the sub-lists; the options stay alive.
    virtual ~ZRChannelOptionList();
    ZRChannelOptionList(const ZRChannelOptionList&) = delete;
    ZRChannelOptionList& operator=(const ZRChannelOptionList&) = delete;

    void AddChild(std::unique_ptr<ZRChannelOptionList> list);
    void AddOption(ZRChannelOption* option);
    // Depth first: the sub-lists in order before this list's own options, so an id found in a
    // sub-list wins. Null when no option has the id.
    ZRChannelOption* FindOption(uint32_t id) const;

    Options& GetChannelOptions() { return m_Options; }
    const Lists& GetChildren() const { return m_Children; }
    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }

private:
    Lists m_Children;
    Options m_Options;
    std::string m_Name;
};

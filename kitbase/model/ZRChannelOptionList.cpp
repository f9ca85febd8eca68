#include "kitbase/model/ZRChannelOptionList.h"

#include "kitbase/model/ZRChannelOption.h"

ZRChannelOptionList::~ZRChannelOptionList() = default;

void ZRChannelOptionList::AddChild(std::unique_ptr<ZRChannelOptionList> list) {
    if (list)
        m_Children.push_back(std::move(list));
}

void ZRChannelOptionList::AddOption(ZRChannelOption* option) {
    if (option)
        m_Options.push_back(option);
}

ZRChannelOption* ZRChannelOptionList::FindOption(uint32_t id) const {
    for (const std::unique_ptr<ZRChannelOptionList>& child : m_Children) {
        if (ZRChannelOption* found = child->FindOption(id))
            return found;
    }
    for (ZRChannelOption* option : m_Options) {
        if (option->GetIndex() == id)
            return option;
    }
    return nullptr;
}

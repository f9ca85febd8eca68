#include "platform/core/OwnedList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::core::OwnedList;

// Writes its name into a log when it dies, and what it saw of the list then.
struct Logged {
    Logged(std::string n, std::vector<std::string>& l, const OwnedList<Logged>* o = nullptr)
        : name(std::move(n)), log(l), list(o) {}
    ~Logged() { log.push_back(name + (list ? ":" + std::to_string(list->size()) : "")); }
    std::string name;
    std::vector<std::string>& log;
    const OwnedList<Logged>* list;
};

TEST(OwnedList, ReadsAsPointersAndHandsBackOnlyWhatItHolds) {
    std::vector<std::string> log;
    OwnedList<Logged> list;
    list.Add(std::make_unique<Logged>("a", log));
    list.Add(nullptr);
    list.Add(std::make_unique<Logged>("b", log));
    Logged* a = list[0];
    Logged* b = list.back();
    EXPECT_EQ(list, (std::vector<Logged*>{a, b}));
    std::vector<Logged*> walked;
    for (Logged* element : list)
        walked.push_back(element);
    EXPECT_EQ(walked, (std::vector<Logged*>{a, b}));

    Logged stranger("stranger", log);
    EXPECT_EQ(list.Take(&stranger), nullptr);
    std::unique_ptr<Logged> taken = list.Take(a);
    EXPECT_EQ(taken.get(), a);
    EXPECT_FALSE(list.Contains(a));
    EXPECT_EQ(list, std::vector<Logged*>{b});
    EXPECT_TRUE(log.empty());
}

TEST(OwnedList, ClearDeletesInOrderAfterEmptyingTheList) {
    std::vector<std::string> log;
    {
        OwnedList<Logged> list;
        for (const char* name : {"a", "b", "c"})
            list.Add(std::make_unique<Logged>(name, log, &list));
    }
    // No dying element sees itself or the others still listed.
    EXPECT_EQ(log, (std::vector<std::string>{"a:0", "b:0", "c:0"}));
}

} // namespace

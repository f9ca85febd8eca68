#include "quorvance/RowRuleCases.h"

using Kind = ZRRowKind;

TEST(MerrixRowRules, ObjectsAreKeyedByTheWholeId) {
    const RowRuleCase cases[] = {
        {"jog edit range", 1, 131, "", false, Kind::Edit},
        {"jog other", 1, 133, "", false, Kind::AsString},
        {"digital input lamp", 2, 128, "", false, Kind::Bool},
        {"digital output choice", 3, 129, "", false, Kind::Choice},
        {"position regulator without id", 9, -1, "x", false, Kind::BoolEdit},
        {"position regulator gain, property", 9, 136, "", false, Kind::Edit},
        {"position regulator gain, status", 9, 136, "", true, Kind::AsString},
        {"current regulator 187, status", 11, 187, "", true, Kind::AsString},
        {"current regulator 187, property", 11, 187, "", false, Kind::BoolEdit},
        {"series writable", 12, 300, "Series", false, Kind::Choice},
        {"series read-only", 12, 300, "Series", false, Kind::AsString, false},
        {"merrix motor model", 13, 129, "", false, Kind::MotorChoice},
        {"merrix drive address", 16, -1, "Drive Address", false, Kind::AsString},
        {"merrix drive type", 16, -1, "Drive Type", false, Kind::Choice},
        {"merrix drive other name", 16, -1, "Anything", false, Kind::Edit},
        {"merrix drive version", 16, 131, "", false, Kind::Version},
        {"analog output channel", 23, 133, "", false, Kind::Channel},
        {"variable value", 24, 5, "", false, Kind::VarValue},
        {"sequencer progress", 25, 128, "", true, Kind::Progress},
        {"merrix devicenet node address", -152, -1, "Node Address", false, Kind::Edit},
        {"merrix devicenet read-only", -152, -1, "Node Address", false, Kind::AsString, false},
    };
    ExpectRows(cases);
}

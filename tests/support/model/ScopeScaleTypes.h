// What a family scope's Init does for the tests' scopes: the arm service and, per channel, the
// "Scale Type" options Auto, Manual and "Same As" every earlier channel.
#pragma once

#include <cstdint>

class ZRScope;

void DefineTestScope(ZRScope& scope, int32_t armService);

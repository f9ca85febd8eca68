// The Merrix family's commands. MerrixFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_MERRIX = 32773;

// The Zelna family's commands. ZelnaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_ZELNA = 33117;
inline constexpr unsigned ID_ZELNA_HOST_COMMANDS = 33119;

// A whole older-family drive in one parameter file: a custom motor of 2000 lines and 30 A
// intermittent current, the drive size of a 15 A rating, and drive settings that each show one rule
// of the drive's conversion.
#pragma once

#include "support/model/ParFileWriter.h"

#include <bit>
#include <cstdint>

inline int64_t FloatBits(float value) {
    return std::bit_cast<uint32_t>(value);
}

inline ParFile DriveParFile() {
    ParFile file;
    file.version = 8;
    file.model = 0; // Calto, standard
    file.flag = false;
    // The motor: a custom one of the file's own data.
    file.values[7] = 0xFFFF;
    file.values[50] = 2000;       // lines
    file.values[51] = 3000 << 16; // maximum speed
    file.values[52] = 3840;       // intermittent current, 30 A
    file.values[53] = 1280;       // continuous current
    file.values[54] = 4096;
    file.values[55] = 64;
    file.values[57] = 256;
    file.values[58] = 256;
    file.values[60] = 1;  // not an induction motor
    file.values[193] = 0; // drive size 1 of a Calto drive: 15 A
    // The drive's own settings.
    file.values[13] = FloatBits(0.5F); // position
    file.values[14] = FloatBits(1.0F); // velocity
    file.values[15] = FloatBits(3.0F); // acceleration
    file.values[22] = 100;
    file.values[23] = 0; // below the in-position time's range
    file.values[32] = 15 * 65536;
    file.values[33] = 30 * 65536;
    file.values[35] = 45 * 65536;
    file.values[42] = 1921; // just above the current base
    file.values[43] = 960;
    file.values[94] = 254; // above the highest address
    file.values[96] = 1;
    file.values[97] = 1;
    file.values[137] = 30;
    file.values[197] = 1;
    file.values[213] = 0;
    file.values[214] = 2;
    file.values[325] = 7;
    file.strings[331] = "Axis 7";
    file.strings[332] = "mm";
    file.strings[333] = "mm/s";
    file.strings[334] = "mm/s2";
    return file;
}

#include "quorvance/tarvik/ZROlbraTwoVal.h"

#include "quorvance/tarvik/ZROlbraArchive.h"

void ZROlbraTwoVal::Read(ZROlbraArchive& archive) {
    for (int16_t& word : m_Words)
        word = archive.Read<int16_t>();
}

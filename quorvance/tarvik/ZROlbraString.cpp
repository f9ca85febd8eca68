#include "quorvance/tarvik/ZROlbraString.h"

#include "quorvance/tarvik/ZROlbraArchive.h"

void ZROlbraString::Read(ZROlbraArchive& archive) {
    m_Text = archive.ReadString();
    m_Word = archive.Read<int16_t>();
    m_Second = archive.ReadString();
}

#include "quorvance/tarvik/ZROlbraVal.h"

std::unique_ptr<ZROlbraVal> MakeOlbraVal(ZROlbraType type) {
    switch (type) {
    case ZROlbraType::Byte:
        return std::make_unique<ZROlbraByte>();
    case ZROlbraType::Short:
        return std::make_unique<ZROlbraShort>();
    case ZROlbraType::Word:
        return std::make_unique<ZROlbraWord>();
    case ZROlbraType::Long:
        return std::make_unique<ZROlbraLong>();
    case ZROlbraType::Dword:
        return std::make_unique<ZROlbraDword>();
    case ZROlbraType::ByteSelect:
        return std::make_unique<ZROlbraByteSelect>();
    case ZROlbraType::ShortSelect:
        return std::make_unique<ZROlbraShortSelect>();
    case ZROlbraType::WordSelect:
        return std::make_unique<ZROlbraWordSelect>();
    case ZROlbraType::LongSelect:
        return std::make_unique<ZROlbraLongSelect>();
    case ZROlbraType::DwordSelect:
        return std::make_unique<ZROlbraDwordSelect>();
    case ZROlbraType::SignedByte:
        break;
    }
    return std::make_unique<ZROlbraSignedByte>();
}

#include "quorvance/tarvik/ZROlbraVal.h"

namespace {

template <class V> std::unique_ptr<ZROlbraVal> Make() {
    return std::make_unique<V>();
}

// By table code, from 1.
std::unique_ptr<ZROlbraVal> (*const kMakers[])() = {
    Make<ZROlbraSignedByte>, Make<ZROlbraByte>,       Make<ZROlbraShort>,       Make<ZROlbraWord>,
    Make<ZROlbraLong>,       Make<ZROlbraDword>,      Make<ZROlbraByteSelect>,  Make<ZROlbraShortSelect>,
    Make<ZROlbraWordSelect>, Make<ZROlbraLongSelect>, Make<ZROlbraDwordSelect>,
};

} // namespace

std::unique_ptr<ZROlbraVal> MakeOlbraVal(ZROlbraType type) {
    const size_t code = static_cast<size_t>(type);
    // Any other code is the signed byte, the default class.
    return code >= 1 && code <= std::size(kMakers) ? kMakers[code - 1]() : Make<ZROlbraSignedByte>();
}

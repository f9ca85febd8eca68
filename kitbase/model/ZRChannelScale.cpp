#include "kitbase/model/ZRChannelScale.h"

#include <cstddef>

bool ZRChannelScale::GetScaleFactor(double& factor) {
    factor = m_BaseScaleFactor;
    return true;
}

void ZRChannelScale::ScaleChannelData(const int32_t* raw, int count, std::vector<float>& out) {
    if (!raw || count <= 0)
        return;
    double factor = 1.0;
    GetScaleFactor(factor);
    if (out.size() < static_cast<std::size_t>(count))
        out.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<float>(raw[i] / factor);
}

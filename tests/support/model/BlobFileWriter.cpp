#include "support/model/BlobFileWriter.h"

#include "platform/core/FileStream.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace testfiles {

namespace {

void Put(BlobBytes& image, int byte, uint16_t value) {
    image[byte] = static_cast<uint8_t>(value >> 8);
    image[byte + 1] = static_cast<uint8_t>(value);
}

} // namespace

uint16_t BlobWord(const BlobBytes& image, int byte) {
    return static_cast<uint16_t>(image[byte] << 8 | image[byte + 1]);
}

uint16_t BlobSum(const BlobBytes& image, int firstWord, int lastWord) {
    unsigned sum = 0;
    for (int n = firstWord; n < lastWord; ++n)
        sum += BlobWord(image, 2 * n);
    return static_cast<uint16_t>(sum);
}

void FixBlobChecksums(BlobBytes& image) {
    for (int k = 0; k < 4; ++k)
        Put(image, 2 * (16 * k + 15), BlobSum(image, 16 * k, 16 * k + 15));
    Put(image, 254, BlobSum(image, 0, 127));
}

BlobBytes MakeBlobImage(const BlobMotor& m) {
    BlobBytes image;
    image.fill(m.filler);
    image[0] = static_cast<uint8_t>(m.revision);
    std::fill_n(image.begin() + 2, 16, 0);
    std::copy_n(m.model.begin(), std::min<size_t>(m.model.size(), 16), image.begin() + 2);
    image[43] = m.flags;
    image[44] = m.poles;
    Put(image, 45, static_cast<uint16_t>(m.inertiaDivisor >> 16));
    Put(image, 47, static_cast<uint16_t>(m.inertiaDivisor));
    Put(image, 49, m.continuousCurrent);
    Put(image, 51, m.intermittentCurrent);
    Put(image, 53, m.maximumSpeed);
    Put(image, 59, m.lines);
    Put(image, 66, m.voltageCode);
    Put(image, 68, m.inertia);
    Put(image, 70, m.torqueConstant);
    Put(image, 72, m.resistance);
    Put(image, 78, m.inductance);
    Put(image, 96, m.cthWa);
    Put(image, 98, m.rthWa);
    Put(image, 100, m.cthWe);
    Put(image, 102, m.rthWe);
    std::fill_n(image.begin() + 110, 8, m.flux);
    image[251] = m.encoderType;
    FixBlobChecksums(image);
    return image;
}

void WriteBlobFile(const std::string& path, const BlobBytes& image, size_t size) {
    std::vector<char> bytes(size, 0);
    std::copy_n(image.begin(), std::min(size, image.size()), bytes.begin());
    platform::core::OpenOutputFile(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testfiles

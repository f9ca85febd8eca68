// Motor data (".blb") files for the smart-encoder programming: a 256-byte image of big-endian
// fields with four block checksums and a total checksum, made from a few motor values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace testfiles {

using BlobBytes = std::array<uint8_t, 256>;

// Raw values as the file holds them.
struct BlobMotor {
    int revision = 3;
    std::string model = "SKM36-4-A";
    uint8_t flags = 0x24; // integral thermostat and integral limits
    uint8_t poles = 4;
    uint32_t inertiaDivisor = 1000000;
    uint16_t continuousCurrent = 200;   // x 0.01414 A
    uint16_t intermittentCurrent = 600; // x 0.01414 A
    uint16_t maximumSpeed = 3000;       // rpm
    uint16_t lines = 1024;
    uint16_t voltageCode = 650; // 460 V
    uint16_t inertia = 150;     // x 0.01
    uint16_t torqueConstant = 2000;
    uint16_t resistance = 1000;
    uint16_t inductance = 100;
    uint16_t cthWa = 300, rthWa = 500, cthWe = 40, rthWe = 250;
    uint8_t flux = 255; // each of the eight points
    uint8_t encoderType = 1;
    uint8_t filler = 0x5A; // bytes no field names, so the checksums cover something
};

// Big-endian word at a byte offset, and its sum over words [first, last).
uint16_t BlobWord(const BlobBytes& image, int byte);
uint16_t BlobSum(const BlobBytes& image, int firstWord, int lastWord);
// Puts the four block sums (words 15, 31, 47, 63) and the total (word 127) right.
void FixBlobChecksums(BlobBytes& image);
BlobBytes MakeBlobImage(const BlobMotor& motor = {});
// Writes the first `size` bytes of the image (more than 256 pads with zero bytes).
void WriteBlobFile(const std::string& path, const BlobBytes& image, size_t size = 256);

} // namespace testfiles

#pragma once
// Bytes as hexadecimal digits, the way keys, signatures and checksums are written in the
// update information and in the publisher's key files (and the digits of a "%XX" escape).
#include <string>

namespace update {

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);
// Two lower-case digits per byte.
std::string EncodeHex(const std::string& bytes);
// Reads exactly `byteCount` bytes from 2 * byteCount digits (either case); false for any
// other length or a character that is not a hexadecimal digit.
bool DecodeHex(const std::string& digits, size_t byteCount, std::string& bytes);

}  // namespace update

#include "update/HexDigits.h"

namespace update {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string EncodeHex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool DecodeHex(const std::string& digits, size_t byteCount, std::string& bytes) {
  if (digits.size() != byteCount * 2) return false;
  std::string out(byteCount, '\0');
  for (size_t i = 0; i < byteCount; ++i) {
    int high = HexDigitValue(digits[2 * i]), low = HexDigitValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    out[i] = static_cast<char>(high * 16 + low);
  }
  bytes = out;
  return true;
}

}  // namespace update

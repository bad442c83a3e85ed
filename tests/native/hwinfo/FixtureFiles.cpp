#include "FixtureFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

std::string FixtureBytes(const std::string& name) {
  std::string path = std::string(LUMENRIG_FIXTURES_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_FALSE(bytes.empty()) << "fixture missing or empty: " << path;
  return bytes;
}

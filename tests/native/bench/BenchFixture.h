#pragma once
// A game installation, a launcher folder and the main window's FileOp over the fakes.
#include <gtest/gtest.h>

#include <string>

#include "fakes/FakePlatform.h"
#include "procs/JvSHFileOperation.h"

class BenchFixture : public ::testing::Test {
 protected:
  BenchFixture() {
    fileOp.Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress};
    fake.files.AddFolder(systemFolder);
    fake.files.AddFolder(configFolder);
    fake.files.AddFolder(programFolder + "Benchmark\\");
  }

  FakePlatform fake;
  TJvSHFileOperation fileOp{fake.shellFiles, fake.files};
  const std::string systemFolder = "C:\\Games\\SCCT\\system\\";
  const std::string configFolder = "C:\\ProgramData\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\";
  const std::string programFolder = "C:\\Program Files\\Lumenrig\\";
};

#pragma once
// The update component's services beyond the common ones, as fakes, over one FakePlatform:
// for tests of a window that owns an update component.
#include "fakes/FakePlatform.h"
#include "fakes/FakeUpdateSystem.h"
#include "fakes/FakeUpgradeUI.h"
#include "fakes/FakeWorkerThreads.h"
#include "update/auAutoUpgrader.h"

struct FakeUpdatePlatform {
  explicit FakeUpdatePlatform(FakePlatform& common) : os(common) {}

  FakePlatform& os;
  FakeHttpClientOnFiles http{os.files};
  FakeWorkerThreads threads;
  FakeFileDetails fileDetails{os.files};
  FakeTimerWindows timers;
  FakeLocalNetwork network;
  FakeModuleResources resources;
  FakeMessageWaits waits;
  FakeApplication application;
  FakeUpgradeUI windows;

  update::TauUpgraderServices Services() {
    return update::TauUpgraderServices{http,     threads,   os.registry, os.files,  fileDetails,
                                       os.folders, os.shell, os.processes, timers,  network,
                                       resources, waits,     application, os.clock, windows};
  }
};

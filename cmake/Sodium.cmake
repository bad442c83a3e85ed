# libsodium as the imported target Sodium::Sodium: Ed25519 signatures and SHA-256 for the
# update. Native builds take Debian's libsodium-dev through pkg-config; MinGW builds take
# the static library that scripts/bootstrap builds into /opt/lumenrig/deps/<triple>, found
# through the toolchain's find root like libjpeg.
if(TARGET Sodium::Sodium)
  return()
endif()

if(WIN32)
  find_path(SODIUM_INCLUDE_DIR sodium.h)
  find_library(SODIUM_LIBRARY NAMES libsodium.a sodium)
  if(NOT SODIUM_INCLUDE_DIR OR NOT SODIUM_LIBRARY)
    message(FATAL_ERROR "libsodium for MinGW not found; scripts/bootstrap builds it")
  endif()
  add_library(Sodium::Sodium STATIC IMPORTED)
  set_target_properties(Sodium::Sodium PROPERTIES
    IMPORTED_LOCATION ${SODIUM_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${SODIUM_INCLUDE_DIR}
    # The static library's headers must not declare its functions as DLL imports.
    INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC
    # randombytes on Windows calls RtlGenRandom (advapi32's SystemFunction036, there since XP).
    INTERFACE_LINK_LIBRARIES advapi32)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
  add_library(Sodium::Sodium INTERFACE IMPORTED)
  set_target_properties(Sodium::Sodium PROPERTIES INTERFACE_LINK_LIBRARIES PkgConfig::SODIUM)
endif()

// publish-update: the publisher's side of the launcher's online update. It makes the key
// pair the launcher is built with, writes the update information for a folder of release
// files, signs it and checks it the way the launcher will.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "InfoFileWriter.h"
#include "PublisherKeys.h"
#include "update/HexDigits.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVerification.h"

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "usage:\n"
    "  publish-update keygen <name>\n"
    "      Writes a new key pair: <name>.secret (keep it private) and <name>.public (build\n"
    "      the launcher with its digits as LUMENRIG_PUBLISHER_KEY). Existing files are kept.\n"
    "  publish-update make [--date MM/DD/YYYY] [--method 0|1|2] <folder> <base-address> <version> <message>\n"
    "      Writes the update information for every file in <folder> to standard output:\n"
    "      #version, #url1, #url2, ... (<base-address>/<file name>) with #urlN.sha256 and\n"
    "      #urlN.size, and #message={<message>}. Method 0 replaces the program's files,\n"
    "      1 runs a downloaded setup program, 2 opens the first address in a browser.\n"
    "  publish-update sign <secret-key-file> <info-file>\n"
    "      Signs <info-file> in place: appends the line #signature=<128 hexadecimal digits>,\n"
    "      an Ed25519 signature over every byte before its \"#\" (a signature already at\n"
    "      the end is replaced).\n"
    "  publish-update verify <public-key-file> <info-file> [<folder>]\n"
    "      Checks the signature as the launcher does and, with <folder>, that every listed\n"
    "      file there has the size and SHA-256 the information gives.\n"
    "Exit status: 0 done, 1 a check failed, 2 wrong use or unreadable input.\n";

int Fail(const std::string& message, int status = 2) {
  std::cerr << "publish-update: " << message << "\n";
  return status;
}

bool ReadFile(const fs::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return !in.bad();
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

int Keygen(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("keygen takes one name\n" + std::string(kUsage));
  const std::string secret = args[0] + ".secret", pub = args[0] + ".public";
  if (fs::exists(secret) || fs::exists(pub)) return Fail(secret + " or " + pub + " exists already; nothing written");
  publish::KeyPair pair = publish::NewKeyPair();
  mode_t old = umask(077);  // the secret is readable by its owner only
  bool ok = WriteFile(secret, publish::KeyFileText(pair.Seed));
  umask(old);
  if (!ok || !WriteFile(pub, publish::KeyFileText(pair.PublicKey))) return Fail("cannot write the key files");
  std::cout << "wrote " << secret << " and " << pub << "\n"
            << "public key: " << update::EncodeHex(pair.PublicKey) << "\n";
  return 0;
}

int Make(std::vector<std::string> args) {
  publish::Release release;
  while (!args.empty() && args[0].compare(0, 2, "--") == 0) {
    if (args.size() < 2) return Fail(args[0] + " needs a value");
    if (args[0] == "--date") {
      release.Date = args[1];
    } else if (args[0] == "--method") {
      if (args[1].size() != 1 || args[1][0] < '0' || args[1][0] > '2') return Fail("the method must be 0, 1 or 2");
      release.Method = args[1][0] - '0';
    } else {
      return Fail("unknown option " + args[0]);
    }
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() != 4) return Fail("make takes <folder> <base-address> <version> <message>\n" + std::string(kUsage));
  release.BaseAddress = args[1];
  release.Version = args[2];
  release.Message = args[3];
  std::error_code ec;
  std::vector<fs::path> paths;
  for (const fs::directory_entry& e : fs::directory_iterator(args[0], ec)) {
    if (!e.is_regular_file()) return Fail(e.path().string() + " is not a file; the folder may hold only files");
    paths.push_back(e.path());
  }
  if (ec) return Fail("cannot read the folder " + args[0] + ": " + ec.message());
  std::sort(paths.begin(), paths.end());
  for (const fs::path& p : paths) {
    publish::ReleaseFile f;
    f.Name = p.filename().string();
    if (!ReadFile(p, f.Bytes)) return Fail("cannot read " + p.string());
    release.Files.push_back(f);
  }
  std::string info, error;
  if (!publish::MakeInfoFile(release, info, error)) return Fail(error);
  std::cout << info;
  return std::cout.flush() ? 0 : Fail("cannot write the information");
}

int Sign(const std::vector<std::string>& args) {
  if (args.size() != 2) return Fail("sign takes <secret-key-file> <info-file>\n" + std::string(kUsage));
  std::string seed, error, info;
  if (!publish::ReadKeyFile(args[0], update::kEd25519SeedBytes, seed, error)) return Fail(error);
  if (!ReadFile(args[1], info)) return Fail("cannot read " + args[1]);
  if (!WriteFile(args[1], publish::SignInfoFile(info, seed))) return Fail("cannot write " + args[1]);
  return 0;
}

const char* StateText(update::InfoSignatureState s) {
  switch (s) {
    case update::InfoSignatureState::Verified: return "signature good";
    case update::InfoSignatureState::Unsigned: return "not signed";
    case update::InfoSignatureState::NotLast: return "the signature is not the last line";
    case update::InfoSignatureState::Malformed: return "the signature is not 128 hexadecimal digits";
    case update::InfoSignatureState::BadSignature: return "the signature does not match this key";
  }
  return "?";
}

int Verify(const std::vector<std::string>& args) {
  if (args.size() != 2 && args.size() != 3)
    return Fail("verify takes <public-key-file> <info-file> [<folder>]\n" + std::string(kUsage));
  std::string key, error, info, signedText;
  if (!publish::ReadKeyFile(args[0], update::kEd25519PublicKeyBytes, key, error)) return Fail(error);
  if (!ReadFile(args[1], info)) return Fail("cannot read " + args[1]);
  update::InfoSignatureState state = update::VerifyInfoSignature(info, key, signedText);
  std::cout << args[1] << ": " << StateText(state) << "\n";
  if (state != update::InfoSignatureState::Verified) return 1;
  int status = 0;
  std::vector<update::InfoFileEntry> entries = update::InfoFileEntries(signedText);
  if (entries.empty()) {
    std::cout << args[1] << ": lists no file\n";
    status = 1;
  }
  for (const update::InfoFileEntry& entry : entries) {
    update::ExpectedFile expected = update::ExpectedFileOf(signedText, entry.Key);
    std::string name = update::AddressFileName(entry.Address);
    std::string verdict = "listed";
    if (!update::ExpectationUsable(expected, true)) {
      verdict = "no usable checksum and size";
      status = 1;
    } else if (args.size() == 3) {
      std::string bytes;
      if (name.empty() || !ReadFile(fs::path(args[2]) / name, bytes)) {
        verdict = "missing in " + args[2];
      } else if (bytes.size() != expected.Size) {
        verdict = "size differs";
      } else if (update::Sha256(bytes) != expected.Sha256) {
        verdict = "checksum differs";
      } else {
        verdict = "matches";
      }
      if (verdict != "matches") status = 1;
    }
    std::cout << "  " << entry.Key << " " << entry.Address << ": " << verdict << "\n";
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kUsage;
    return args.empty() ? 2 : 0;
  }
  std::string command = args[0];
  args.erase(args.begin());
  try {
    if (command == "keygen") return Keygen(args);
    if (command == "make") return Make(args);
    if (command == "sign") return Sign(args);
    if (command == "verify") return Verify(args);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
  return Fail("unknown command " + command + "\n" + kUsage);
}

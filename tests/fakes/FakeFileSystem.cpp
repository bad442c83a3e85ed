#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <cctype>

#include "platform/Text.h"

namespace {

bool IsDriveRoot(const std::string& p) { return p.size() == 3 && p[1] == ':' && p[2] == '\\'; }

// Matches "*" and "?" wildcards without regard to case.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
  std::string p = text::ToLowerAscii(pattern), n = text::ToLowerAscii(name);
  size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

FakeFileSystem::FakeFileSystem() { AddFolder("C:\\"); }

std::string FakeFileSystem::Key(const std::string& normalized) {
  return text::ToLowerAscii(normalized);
}

std::string FakeFileSystem::Normalize(const std::string& path) const {
  std::string p = path;
  std::replace(p.begin(), p.end(), '/', '\\');
  std::string absolute;
  if (p.size() >= 2 && p[1] == ':') {
    absolute = p;
    if (absolute.size() == 2) absolute += "\\";
  } else if (!p.empty() && p[0] == '\\') {
    absolute = current_.substr(0, 2) + p;
  } else {
    absolute = current_ + (current_.back() == '\\' ? "" : "\\") + p;
  }
  std::string drive = absolute.substr(0, 2);
  drive[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 2; i <= absolute.size(); ++i) {
    if (i == absolute.size() || absolute[i] == '\\') {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += absolute[i];
    }
  }
  std::string out = drive + "\\";
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  return out;
}

std::string FakeFileSystem::Parent(const std::string& normalized) {
  if (IsDriveRoot(normalized)) return normalized;
  size_t slash = normalized.find_last_of('\\');
  std::string parent = normalized.substr(0, slash);
  if (parent.size() == 2) parent += "\\";
  return parent;
}

void FakeFileSystem::AddFolder(const std::string& path) {
  std::string n = Normalize(path);
  while (true) {
    dirs_.emplace(Key(n), n);
    if (IsDriveRoot(n)) break;
    n = Parent(n);
  }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  std::string n = Normalize(path);
  AddFolder(Parent(n));
  auto& f = files_[Key(n)];
  if (f.path.empty()) f.path = n;
  f.bytes = bytes;
}

void FakeFileSystem::AddFiles(const std::string& root, const std::map<std::string, std::string>& files) {
  for (const auto& [name, bytes] : files) AddFile(text::WithTrailingBackslash(root) + name, bytes);
}

void FakeFileSystem::MakeUnreadable(const std::string& path) { unreadable_.insert(Key(Normalize(path))); }
void FakeFileSystem::MakeUnwritable(const std::string& path) { unwritable_.insert(Key(Normalize(path))); }

std::string FakeFileSystem::Content(const std::string& path) {
  auto it = files_.find(Key(Normalize(path)));
  return it == files_.end() ? "<missing>" : it->second.bytes;
}

std::vector<std::string> FakeFileSystem::AllFiles() const {
  std::vector<std::string> out;
  for (const auto& [key, f] : files_) out.push_back(f.path);
  std::sort(out.begin(), out.end());
  return out;
}

bool FakeFileSystem::FileExists(const std::string& path) {
  return !path.empty() && files_.count(Key(Normalize(path))) > 0;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
  return !path.empty() && dirs_.count(Key(Normalize(path))) > 0;
}

bool FakeFileSystem::ReadAll(const std::string& path, std::string& bytes) {
  std::string k = Key(Normalize(path));
  auto it = files_.find(k);
  if (it == files_.end() || unreadable_.count(k)) return false;
  bytes = it->second.bytes;
  return true;
}

bool FakeFileSystem::WriteAll(const std::string& path, const std::string& bytes) {
  std::string n = Normalize(path);
  std::string k = Key(n);
  if (unwritable_.count(k) || locked_.count(k) || dirs_.count(k) || !dirs_.count(Key(Parent(n)))) return false;
  auto& f = files_[k];
  if (f.path.empty()) f.path = n;
  f.bytes = bytes;
  return true;
}

void FakeFileSystem::HoldOpen(const std::string& path, bool held) {
  if (held)
    held_.insert(Key(Normalize(path)));
  else
    held_.erase(Key(Normalize(path)));
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
  std::string k = Key(Normalize(path));
  if (unwritable_.count(k) || held_.count(k) || locked_.count(k)) return false;
  return files_.erase(k) > 0;
}

void FakeFileSystem::Lock(const std::string& path, bool locked) {
  if (locked)
    locked_.insert(Key(Normalize(path)));
  else
    locked_.erase(Key(Normalize(path)));
}

void FakeFileSystem::CutAppendAfter(const std::string& path, size_t bytes) {
  cutAppends_[Key(Normalize(path))] = bytes;
}

platform::AppendOutcome FakeFileSystem::Append(const std::string& path, const std::string& bytes) {
  std::string n = Normalize(path);
  std::string k = Key(n);
  if (locked_.count(k)) return platform::AppendOutcome::Locked;
  if (unwritable_.count(k) || dirs_.count(k) || !dirs_.count(Key(Parent(n)))) return platform::AppendOutcome::Failed;
  auto& f = files_[k];
  if (f.path.empty()) f.path = n;
  auto cut = cutAppends_.find(k);
  if (cut != cutAppends_.end()) {
    f.bytes += bytes.substr(0, cut->second);
    cutAppends_.erase(cut);
    return platform::AppendOutcome::Failed;
  }
  f.bytes += bytes;
  return platform::AppendOutcome::Appended;
}

bool FakeFileSystem::RenameFile(const std::string& from, const std::string& to) {
  std::string nf = Normalize(from), nt = Normalize(to);
  std::string kf = Key(nf), kt = Key(nt);
  auto it = files_.find(kf);
  if (it == files_.end() || files_.count(kt) || dirs_.count(kt) || !dirs_.count(Key(Parent(nt)))) return false;
  if (unwritable_.count(kf) || held_.count(kf) || locked_.count(kf)) return false;
  File moved{nt, it->second.bytes};
  files_.erase(it);
  files_[kt] = moved;
  return true;
}

bool FakeFileSystem::CreateDirectories(const std::string& path) {
  std::string n = Normalize(path);
  for (std::string p = n;; p = Parent(p)) {
    if (files_.count(Key(p))) return false;  // a file stands in the way
    if (IsDriveRoot(p)) break;
  }
  AddFolder(n);
  return true;
}

std::vector<std::string> FakeFileSystem::ListFiles(const std::string& folder, const std::string& pattern) {
  std::string dir = Key(Normalize(folder));
  std::vector<std::string> out;
  for (const auto& [key, f] : files_) {
    if (Key(Parent(key)) != dir) continue;
    std::string name = f.path.substr(f.path.find_last_of('\\') + 1);
    if (WildcardMatch(pattern, name)) out.push_back(name);
  }
  return out;
}

std::string FakeFileSystem::CurrentDirectory() { return current_; }

bool FakeFileSystem::ChangeDirectory(const std::string& path) {
  std::string n = Normalize(path);
  if (!dirs_.count(Key(n))) return false;
  current_ = dirs_[Key(n)];
  return true;
}

std::string FakeFileSystem::FullPath(const std::string& path) {
  // Keeps a final "\" as the system does.
  std::string n = Normalize(path);
  if (!path.empty() && (path.back() == '\\' || path.back() == '/') && n.back() != '\\') n += "\\";
  return n;
}

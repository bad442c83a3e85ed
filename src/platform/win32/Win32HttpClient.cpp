#include "platform/win32/Win32HttpClient.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

#include <vector>

namespace platform {
namespace {

void CALLBACK StatusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD infoLength) {
  if (context) reinterpret_cast<HttpStatusSink*>(context)->HttpStatus(status, info, infoLength);
}

const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// An output file stays deletable while it is written, so a clean-up of the temporary
// files never finds one locked by a transfer that is still winding up.
const DWORD kShareOutput = FILE_SHARE_READ | FILE_SHARE_DELETE;

}  // namespace

InetHandle Win32HttpClient::InetOpen(const std::string& agent, uint32_t accessType, const std::string* proxy,
                                     const std::string* bypass) {
  return InternetOpenA(agent.c_str(), accessType, proxy ? proxy->c_str() : nullptr,
                       bypass ? bypass->c_str() : nullptr, 0);
}

void Win32HttpClient::InetSetStatusCallback(InetHandle session) {
  InternetSetStatusCallbackA(static_cast<HINTERNET>(session), &StatusCallback);
}

InetHandle Win32HttpClient::InetConnect(InetHandle session, const std::string& host, uint16_t port,
                                        const std::string& user, const std::string& password, uint32_t service,
                                        uint32_t flags, HttpStatusSink* context) {
  return InternetConnectA(static_cast<HINTERNET>(session), host.c_str(), port, OrNull(user), OrNull(password),
                          service, flags, reinterpret_cast<DWORD_PTR>(context));
}

InetHandle Win32HttpClient::InetOpenRequest(InetHandle connection, const std::string& verb, const std::string& object,
                                            const std::string& referer, const std::string& acceptType,
                                            uint32_t flags, HttpStatusSink* context) {
  const char* accept[] = {acceptType.c_str(), nullptr};
  return HttpOpenRequestA(static_cast<HINTERNET>(connection), verb.c_str(), object.c_str(), nullptr,
                          OrNull(referer), accept, flags, reinterpret_cast<DWORD_PTR>(context));
}

bool Win32HttpClient::InetSetOptionNumber(InetHandle h, uint32_t option, uint32_t value) {
  DWORD v = value;
  return InternetSetOptionA(static_cast<HINTERNET>(h), option, &v, sizeof v) != FALSE;
}

bool Win32HttpClient::InetSetOptionText(InetHandle h, uint32_t option, const std::string& value) {
  return InternetSetOptionA(static_cast<HINTERNET>(h), option, const_cast<char*>(value.c_str()),
                            static_cast<DWORD>(value.size())) != FALSE;
}

bool Win32HttpClient::InetAddRequestHeaders(InetHandle request, const std::string& headers, uint32_t flags) {
  return HttpAddRequestHeadersA(static_cast<HINTERNET>(request), headers.c_str(), static_cast<DWORD>(headers.size()),
                                flags) != FALSE;
}

bool Win32HttpClient::InetSendRequest(InetHandle request) {
  return HttpSendRequestA(static_cast<HINTERNET>(request), nullptr, 0, nullptr, 0) != FALSE;
}

bool Win32HttpClient::InetQueryInfo(InetHandle request, uint32_t info, std::string& value, uint32_t bufferSize) {
  std::vector<char> buffer(bufferSize ? bufferSize : 1);
  DWORD length = static_cast<DWORD>(buffer.size());
  DWORD index = 0;
  BOOL ok = HttpQueryInfoA(static_cast<HINTERNET>(request), info, buffer.data(), &length, &index);
  if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    // Long raw headers: take them whole rather than failing.
    buffer.resize(length + 1);
    length = static_cast<DWORD>(buffer.size());
    index = 0;
    ok = HttpQueryInfoA(static_cast<HINTERNET>(request), info, buffer.data(), &length, &index);
  }
  if (!ok) return false;
  value.assign(buffer.data(), length);
  return true;
}

// A synchronous InternetReadFile returns only when the whole buffer is full. The large buffers
// that keep a fast download cheap would then leave a slow line without progress for many
// seconds, so a read fills the buffer in pieces and returns it partly filled once
// kReadSliceMs have passed. The piece grows while pieces arrive quickly and shrinks when one
// is slow; the next read starts with it, so a fast line soon fills the whole buffer in one call.
bool Win32HttpClient::InetReadFile(InetHandle request, void* buffer, uint32_t size, uint32_t& read) {
  constexpr DWORD kReadSliceMs = 250;
  constexpr DWORD kQuickPieceMs = 50;
  constexpr uint32_t kFirstPiece = 8192;
  auto* bytes = static_cast<char*>(buffer);
  uint32_t piece = std::max<uint32_t>(FPieceSize.load(), kFirstPiece);
  const DWORD started = GetTickCount();
  read = 0;
  bool ok = true;
  while (read < size) {
    const DWORD want = std::min<uint32_t>(piece, size - read);
    const DWORD before = GetTickCount();
    DWORD n = 0;
    if (!InternetReadFile(static_cast<HINTERNET>(request), bytes + read, want, &n)) {
      ok = read > 0;  // a failure after some bytes shows again on the next read
      break;
    }
    read += n;
    if (n < want) break;  // the end of the body
    const DWORD took = GetTickCount() - before;
    if (took < kQuickPieceMs)
      piece = std::min<uint32_t>(piece * 2, std::max<uint32_t>(size, kFirstPiece));
    else if (took > kReadSliceMs)
      piece = std::max<uint32_t>(piece / 2, kFirstPiece);
    if (GetTickCount() - started >= kReadSliceMs) break;
  }
  FPieceSize = piece;
  return ok;
}

void Win32HttpClient::InetCloseHandle(InetHandle h) { InternetCloseHandle(static_cast<HINTERNET>(h)); }

FileHandle Win32HttpClient::FileOpenRead(const std::string& path, uint64_t& size) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  DWORD high = 0;
  DWORD low = GetFileSize(h, &high);
  size = (static_cast<uint64_t>(high) << 32) | low;
  return h;
}

FileHandle Win32HttpClient::FileCreate(const std::string& path) {
  // A hidden file left by an earlier attempt refuses CREATE_ALWAYS with plain attributes.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                              FILE_ATTRIBUTE_READONLY)))
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, kShareOutput, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

FileHandle Win32HttpClient::FileOpenAppend(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, kShareOutput, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  SetFilePointer(h, 0, nullptr, FILE_END);
  return h;
}

bool Win32HttpClient::FileRead(FileHandle f, void* buffer, uint32_t size, uint32_t& read) {
  DWORD n = 0;
  BOOL ok = ReadFile(static_cast<HANDLE>(f), buffer, size, &n, nullptr);
  read = n;
  return ok != FALSE;
}

bool Win32HttpClient::FileWrite(FileHandle f, const void* data, uint32_t size) {
  DWORD n = 0;
  return WriteFile(static_cast<HANDLE>(f), data, size, &n, nullptr) != FALSE && n == size;
}

void Win32HttpClient::FileClose(FileHandle f) { CloseHandle(static_cast<HANDLE>(f)); }

bool Win32HttpClient::FileSetHiddenTemporary(const std::string& path) {
  return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY) != FALSE;
}

bool Win32HttpClient::FileRemove(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != FALSE;
}

uint32_t Win32HttpClient::TickCount() { return GetTickCount(); }

HttpTimeZone Win32HttpClient::TimeZone() {
  TIME_ZONE_INFORMATION tz = {};
  DWORD id = GetTimeZoneInformation(&tz);
  HttpTimeZone z;
  z.Bias = tz.Bias;
  z.StandardBias = tz.StandardBias;
  z.DaylightBias = tz.DaylightBias;
  z.Daylight = id == TIME_ZONE_ID_DAYLIGHT;
  return z;
}

}  // namespace platform

#pragma once
// HTTP through the system's WinInet functions, local file access for the transfer's
// body, and the time services a transfer needs. Handles are opaque; 0 means failure.
#include <cstdint>
#include <string>

namespace platform {

using InetHandle = void*;
using FileHandle = void*;

// Receives WinInet status notifications (on the thread that makes the call).
class HttpStatusSink {
 public:
  virtual ~HttpStatusSink() = default;
  virtual void HttpStatus(uint32_t code, const void* info, uint32_t infoLength) = 0;
};

struct HttpTimeZone {
  int32_t Bias = 0, StandardBias = 0, DaylightBias = 0;
  bool Daylight = false;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;

  // InternetOpen; `proxy`/`bypass` are passed only when non-null.
  virtual InetHandle InetOpen(const std::string& agent, uint32_t accessType, const std::string* proxy,
                              const std::string* bypass) = 0;
  // Status notifications of the session and its children go to the sink given as the
  // context of InetConnect / InetOpenRequest.
  virtual void InetSetStatusCallback(InetHandle session) = 0;
  virtual InetHandle InetConnect(InetHandle session, const std::string& host, uint16_t port,
                                 const std::string& user, const std::string& password, uint32_t service,
                                 uint32_t flags, HttpStatusSink* context) = 0;
  virtual InetHandle InetOpenRequest(InetHandle connection, const std::string& verb, const std::string& object,
                                     const std::string& referer, const std::string& acceptType, uint32_t flags,
                                     HttpStatusSink* context) = 0;
  virtual bool InetSetOptionNumber(InetHandle h, uint32_t option, uint32_t value) = 0;
  virtual bool InetSetOptionText(InetHandle h, uint32_t option, const std::string& value) = 0;
  virtual bool InetAddRequestHeaders(InetHandle request, const std::string& headers, uint32_t flags) = 0;
  virtual bool InetSendRequest(InetHandle request) = 0;
  // HttpQueryInfo as text, with a buffer of `bufferSize` bytes.
  virtual bool InetQueryInfo(InetHandle request, uint32_t info, std::string& value, uint32_t bufferSize = 4096) = 0;
  virtual bool InetReadFile(InetHandle request, void* buffer, uint32_t size, uint32_t& read) = 0;
  virtual void InetCloseHandle(InetHandle h) = 0;

  // Local files.
  virtual FileHandle FileOpenRead(const std::string& path, uint64_t& size) = 0;  // shared read and write
  virtual FileHandle FileCreate(const std::string& path) = 0;                    // new or emptied
  virtual FileHandle FileOpenAppend(const std::string& path) = 0;                // positioned at its end
  virtual bool FileRead(FileHandle f, void* buffer, uint32_t size, uint32_t& read) = 0;
  virtual bool FileWrite(FileHandle f, const void* data, uint32_t size) = 0;
  virtual void FileClose(FileHandle f) = 0;
  virtual bool FileSetHiddenTemporary(const std::string& path) = 0;
  virtual bool FileRemove(const std::string& path) = 0;

  virtual uint32_t TickCount() = 0;
  virtual HttpTimeZone TimeZone() = 0;
};

}  // namespace platform

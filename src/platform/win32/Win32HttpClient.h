#pragma once
// HTTP through WinInet (the A functions), the transfer's local files, ticks and the time
// zone, on Win32.
#include <atomic>

#include "platform/HttpClient.h"

namespace platform {

class Win32HttpClient : public HttpClient {
 public:
  InetHandle InetOpen(const std::string& agent, uint32_t accessType, const std::string* proxy,
                      const std::string* bypass) override;
  void InetSetStatusCallback(InetHandle session) override;
  InetHandle InetConnect(InetHandle session, const std::string& host, uint16_t port, const std::string& user,
                         const std::string& password, uint32_t service, uint32_t flags,
                         HttpStatusSink* context) override;
  InetHandle InetOpenRequest(InetHandle connection, const std::string& verb, const std::string& object,
                             const std::string& referer, const std::string& acceptType, uint32_t flags,
                             HttpStatusSink* context) override;
  bool InetSetOptionNumber(InetHandle h, uint32_t option, uint32_t value) override;
  bool InetSetOptionText(InetHandle h, uint32_t option, const std::string& value) override;
  bool InetAddRequestHeaders(InetHandle request, const std::string& headers, uint32_t flags) override;
  bool InetSendRequest(InetHandle request) override;
  bool InetQueryInfo(InetHandle request, uint32_t info, std::string& value, uint32_t bufferSize) override;
  bool InetReadFile(InetHandle request, void* buffer, uint32_t size, uint32_t& read) override;
  void InetCloseHandle(InetHandle h) override;

  FileHandle FileOpenRead(const std::string& path, uint64_t& size) override;
  FileHandle FileCreate(const std::string& path) override;
  FileHandle FileOpenAppend(const std::string& path) override;
  bool FileRead(FileHandle f, void* buffer, uint32_t size, uint32_t& read) override;
  bool FileWrite(FileHandle f, const void* data, uint32_t size) override;
  void FileClose(FileHandle f) override;
  bool FileSetHiddenTemporary(const std::string& path) override;
  bool FileRemove(const std::string& path) override;

  uint32_t TickCount() override;
  HttpTimeZone TimeZone() override;

 private:
  // The read piece that the last read ended with (see InetReadFile); transfers run on
  // worker threads, and one after another, so the next transfer starts where the last stood.
  std::atomic<uint32_t> FPieceSize{0};
};

}  // namespace platform

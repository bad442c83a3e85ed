#pragma once
// WinInet and the transfer's files for native tests: scripted answers per request object,
// a record of every call, and files in memory. Calls come from the worker thread; read
// the records once the transfer has ended.
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/HttpClient.h"

// One answer to one HttpSendRequest.
struct FakeHttpAnswer {
  int status = 200;
  std::map<uint32_t, std::string> headers;  // HTTP_QUERY_* number -> value
  std::string body;
  bool sendFails = false;
  bool readFailsAtEnd = false;  // InternetReadFile fails once the body is out
  uint32_t chunk = 0;           // most bytes per read; 0: as many as asked
};

class FakeHttpClient : public platform::HttpClient {
 public:
  // HTTP_QUERY numbers used in answers.
  static constexpr uint32_t kContentType = 1, kContentLength = 5, kContentLanguage = 6, kDate = 9, kExpires = 10,
                            kLastModified = 11, kStatusCode = 19, kRawHeaders = 22, kContentEncoding = 29,
                            kLocation = 33, kWwwAuthenticate = 40, kETag = 54;

  // Answers by request object ("/dir/file?x"); each send takes the next, the last repeats.
  std::map<std::string, std::vector<FakeHttpAnswer>> answers;
  // A 200 answer with Content-Length and a body.
  static FakeHttpAnswer Ok(const std::string& body, const std::string& type = "text/plain");

  bool openFails = false, connectFails = false, requestFails = false;
  // Run on the worker at each send and each read, with the number of them so far (a
  // test may hold the worker there, as a stalled server would).
  std::function<void(int)> onSend, onRead;
  // A send or read on a handle closed meanwhile fails, as WinInet's do; off, the read
  // returns what it would have (it ended just as the handle was closed).
  bool failOnClosedHandle = true;

  struct OpenCall {
    std::string agent;
    uint32_t accessType;
    std::optional<std::string> proxy, bypass;
  };
  struct ConnectCall {
    std::string host;
    uint16_t port;
    std::string user, password;
    uint32_t service, flags;
    bool hasContext;
  };
  struct RequestCall {
    std::string verb, object, referer, accept;
    uint32_t flags;
  };
  struct OptionCall {
    uint32_t option;
    std::string value;  // numbers in decimal
  };
  std::vector<OpenCall> opens;
  std::vector<ConnectCall> connects;
  std::vector<RequestCall> requests;
  std::vector<OptionCall> options;
  std::vector<std::pair<std::string, uint32_t>> addedHeaders;
  std::vector<uint32_t> queries;
  int callbacksSet = 0;
  std::atomic<int> sends{0}, reads{0};
  int handlesOpen = 0;
  // Closes of a handle that was already closed (WinInet would free it twice).
  int doubleCloses = 0;
  // Any thread: the newest request handle has been closed.
  bool RequestClosed();

  // Files.
  std::map<std::string, std::string> files;
  std::set<std::string> hidden;          // given hidden + temporary
  std::set<std::string> uncreatable;     // FileCreate fails for these
  int filesOpen = 0;

  uint32_t ticks = 1000;
  platform::HttpTimeZone zone{};

  platform::InetHandle InetOpen(const std::string& agent, uint32_t accessType, const std::string* proxy,
                                const std::string* bypass) override;
  void InetSetStatusCallback(platform::InetHandle session) override;
  platform::InetHandle InetConnect(platform::InetHandle session, const std::string& host, uint16_t port,
                                   const std::string& user, const std::string& password, uint32_t service,
                                   uint32_t flags, platform::HttpStatusSink* context) override;
  platform::InetHandle InetOpenRequest(platform::InetHandle connection, const std::string& verb,
                                       const std::string& object, const std::string& referer,
                                       const std::string& acceptType, uint32_t flags,
                                       platform::HttpStatusSink* context) override;
  bool InetSetOptionNumber(platform::InetHandle h, uint32_t option, uint32_t value) override;
  bool InetSetOptionText(platform::InetHandle h, uint32_t option, const std::string& value) override;
  bool InetAddRequestHeaders(platform::InetHandle request, const std::string& headers, uint32_t flags) override;
  bool InetSendRequest(platform::InetHandle request) override;
  bool InetQueryInfo(platform::InetHandle request, uint32_t info, std::string& value, uint32_t bufferSize) override;
  bool InetReadFile(platform::InetHandle request, void* buffer, uint32_t size, uint32_t& read) override;
  void InetCloseHandle(platform::InetHandle h) override;

  platform::FileHandle FileOpenRead(const std::string& path, uint64_t& size) override;
  platform::FileHandle FileCreate(const std::string& path) override;
  platform::FileHandle FileOpenAppend(const std::string& path) override;
  bool FileRead(platform::FileHandle f, void* buffer, uint32_t size, uint32_t& read) override;
  bool FileWrite(platform::FileHandle f, const void* data, uint32_t size) override;
  void FileClose(platform::FileHandle f) override;
  bool FileSetHiddenTemporary(const std::string& path) override;
  bool FileRemove(const std::string& path) override;

  uint32_t TickCount() override { return ticks; }
  platform::HttpTimeZone TimeZone() override { return zone; }

 private:
  struct Handle {
    int kind;  // 1 session, 2 connection, 3 request, 4 file
    std::string object;
    int sent = 0;
    const FakeHttpAnswer* answer = nullptr;
    size_t position = 0;
    std::string path;  // files
    bool write = false;
    bool closed = false;
  };
  Handle* Make(int kind);
  bool Closed(Handle* h);
  std::mutex mutex_;
  std::vector<std::unique_ptr<Handle>> handles_;
};

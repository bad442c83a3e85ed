#pragma once
// One HTTP GET (or a local "file" read) per transfer, through WinInet on a worker thread.
// Headers, progress and the outcome are raised on the main thread, so handlers may touch
// windows; exactly one outcome event ends every transfer that was not aborted.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/HttpClient.h"
#include "platform/SpinLock.h"
#include "platform/WorkerThreads.h"
#include "update/DateTime.h"
#include "update/HttpTransferRules.h"
#include "update/auThread.h"

namespace update {

enum class TauHTTPAccessType { atPreconfig, atDirect, atUseProxy };

class TauHTTPProxy {
 public:
  TauHTTPAccessType AccessType = TauHTTPAccessType::atPreconfig;
  int ProxyPort = 8080;
  std::string ProxyServer;
  std::string ProxyBypass = "127.0.0.1;";
  std::string ProxyUsername;
  std::string ProxyPassword;
  // Copies all fields; nullptr restores the defaults.
  void Assign(const TauHTTPProxy* source);
  // Server and bypass list are kept with the component only for a configured proxy.
  bool StoresProxyServer() const { return AccessType == TauHTTPAccessType::atUseProxy; }
};

class TauHTTPRange {
 public:
  uint32_t StartRange = 0;
  uint32_t EndRange = 0;
  void Assign(const TauHTTPRange* source);
};

// Milliseconds; 0 leaves the system's own time-out in force.
class TauHTTPTimeouts {
 public:
  uint32_t ConnectTimeout = 0;
  uint32_t ReceiveTimeout = 0;
  uint32_t SendTimeout = 0;
  void Assign(const TauHTTPTimeouts* source);
};

class TauLoginComponent {
 public:
  virtual ~TauLoginComponent() = default;
  std::string HTTPUsername;
  std::string HTTPPassword;
};

// The body of a transfer: memory, or the output file (write only).
class TauStream {
 public:
  virtual ~TauStream() = default;
  virtual uint64_t Size() const = 0;
  virtual bool Write(const void* data, uint32_t size) = 0;
  // Reads from the current position; 0 at the end (always 0 for a file).
  virtual uint32_t Read(void* buffer, uint32_t size) = 0;
  virtual void Rewind() = 0;
};

class TauMemoryStream : public TauStream {
 public:
  uint64_t Size() const override { return FData.size(); }
  bool Write(const void* data, uint32_t size) override;
  uint32_t Read(void* buffer, uint32_t size) override;
  void Rewind() override { FPosition = 0; }
  // Room for `size` bytes ahead of time, as far as the process can spare it.
  void Reserve(uint64_t size);
  const std::string& Data() const { return FData; }

 private:
  std::string FData;
  size_t FPosition = 0;
};

class TauCustomHTTP;
// Handler types. Sender is the component that raised the event.
using TauHTTPHeaderInfoEvent = std::function<void(
    TauCustomHTTP* Sender, int StatusCode, const std::string& RawHeaders, const std::string& ContentType,
    const std::string& ContentLanguage, const std::string& ContentEncoding, uint32_t ContentLength,
    const std::string& Location, TDateTime Date, TDateTime LastModified, TDateTime Expires,
    const std::string& ETag, bool& ContinueDownload)>;
using TauHTTPProgressEvent = std::function<void(
    TauCustomHTTP* Sender, const std::string& ContentType, uint32_t DataSize, uint32_t BytesRead, int ElapsedTime,
    int EstimatedTimeLeft, uint8_t PercentsDone, float TransferRate, TauStream* Stream)>;
using TauHTTPDoneEvent =
    std::function<void(TauCustomHTTP* Sender, const std::string& ContentType, uint32_t DataSize, TauStream* Stream)>;
using TauHTTPDoneInterruptedEvent = std::function<void(
    TauCustomHTTP* Sender, const std::string& ContentType, uint32_t FileSize, uint32_t BytesRead, TauStream* Stream)>;
using TauHTTPErrorEvent = std::function<void(TauCustomHTTP* Sender, int ErrorCode, TauStream* Stream)>;
using TauNotifyEvent = std::function<void(TauCustomHTTP* Sender)>;
using TauHTTPPasswordRequestEvent =
    std::function<void(TauCustomHTTP* Sender, const std::string& Realm, bool& TryAgain)>;
using TauHTTPProxyAuthenticationEvent = std::function<void(
    TauCustomHTTP* Sender, std::string& ProxyUsername, std::string& ProxyPassword, bool& TryAgain)>;
using TauHTTPStatusEvent =
    std::function<void(TauCustomHTTP* Sender, uint32_t StatusID, const std::string& StatusStr)>;
using TauHTTPRedirectEvent = std::function<void(TauCustomHTTP* Sender, const std::string& NewURL)>;

class TauCustomHTTP : public TauLoginComponent, private platform::HttpStatusSink {
 public:
  static const char* const kDefaultUserAgent;

  TauCustomHTTP(platform::HttpClient& http, platform::WorkerThreads& threads);
  ~TauCustomHTTP() override;
  TauCustomHTTP(const TauCustomHTTP&) = delete;
  TauCustomHTTP& operator=(const TauCustomHTTP&) = delete;

  // Request settings. The worker reads them while it runs: change them on the main thread,
  // between transfers or inside an event of the running transfer.
  std::string URL;
  std::string OutputFileName;  // empty: the body goes to memory
  bool HideOutputFile = false;
  std::string AcceptTypes = "text/html, */*";
  std::string UserAgent = kDefaultUserAgent;
  std::string Referer;
  std::vector<std::string> ExtraHeaders;
  TauCacheOptions CacheOptions{TauCacheOption::coReloadIfNoExpireInformation, TauCacheOption::coReloadUpdatedObjects,
                               TauCacheOption::coCreateTempFilesIfCantCache};
  TauInternetOptions InternetOptions{TauInternetOption::ioKeepConnection};
  int TransferBufferSize = 4096;
  // Most bytes a body may have (memory or file); 0: no limit. A body beyond it is not
  // read on: the transfer ends with OnHTTPError and the server's status, and an output
  // file it created is deleted.
  uint64_t BodyLimit = 0;
  TauHTTPProxy Proxy;
  TauHTTPRange Range;
  TauHTTPTimeouts Timeouts;
  TThreadPriority ThreadPriority() const { return FThread->Priority(); }
  void SetThreadPriority(TThreadPriority p) { FThread->SetPriority(p); }

  // Starts a transfer on a fresh worker; false (and nothing changes) while one is busy.
  // Called from inside an outcome event it is accepted and begins once that transfer
  // has been wound up. With `wait` the caller dispatches messages until the worker ends.
  bool BeginTransfer(bool wait = false);
  // Stops the running transfer: a blocked connect, send or read is cancelled by closing
  // the request's handles, and the transfer ends with OnHTTPAborted and no other
  // outcome, whatever the worker met afterwards. By then the output file is closed, and
  // with `deleteOutput` the file this transfer created is gone. With `hard` the call
  // returns only after OnHTTPAborted (except inside one of this transfer's events, where
  // the worker is waiting for the caller). Inside an outcome event it cancels a start
  // queued there.
  void AbortTransfer(bool deleteOutput = false, bool hard = false);

  // Transfer state, valid from the start until the outcome event has returned.
  bool Busy() const { return FBusy; }
  int StatusCode() const { return FStatusCode; }
  bool Succeeded() const { return FSucceeded; }
  bool TryAgain() const { return FTryAgain; }
  bool ContinueDownload() const { return FContinueDownload; }
  bool DeleteOutputOnAbort() const { return FDeleteOutputOnAbort; }
  uint32_t FileSize() const { return FFileSize; }
  // True during the OnHTTPError of a body that went beyond BodyLimit.
  bool BodyLimitExceeded() const { return FBodyLimitExceeded; }
  uint32_t BytesRead() const { return FBytesRead; }
  uint32_t ResumeFrom() const { return FResumeFrom; }
  uint32_t ResumeTo() const { return FResumeTo; }
  const TransferStatistics& Statistics() const { return FStatistics; }
  const std::string& RawHeaders() const { return FRawHeaders; }
  const std::string& ContentType() const { return FContentType; }
  const std::string& ContentLanguage() const { return FContentLanguage; }
  const std::string& ContentEncoding() const { return FContentEncoding; }
  const std::string& Location() const { return FLocation; }
  const std::string& ETag() const { return FETag; }
  TDateTime ResponseDate() const { return FResponseDate; }
  TDateTime LastModified() const { return FLastModified; }
  TDateTime Expires() const { return FExpires; }

  TauHTTPHeaderInfoEvent OnHTTPHeaderInfo;
  TauHTTPProgressEvent OnHTTPProgress;
  TauHTTPDoneEvent OnHTTPDone;
  TauHTTPDoneInterruptedEvent OnHTTPDoneInterrupted;
  TauNotifyEvent OnHTTPNoResponse;
  TauHTTPErrorEvent OnHTTPError;
  TauNotifyEvent OnHTTPSkipped;
  TauHTTPPasswordRequestEvent OnHTTPPasswordRequest;
  TauHTTPProxyAuthenticationEvent OnProxyAuthenticationRequest;
  TauNotifyEvent OnHTTPAborted;
  TauHTTPStatusEvent OnHTTPStatus;      // worker thread
  TauHTTPRedirectEvent OnHTTPRedirect;  // worker thread

 protected:
  platform::HttpClient& Http() { return FHttp; }

 private:
  struct Aborted {};
  struct HandlerFault {};  // a handler of this transfer's events raised

  void StartWorker(bool wait);
  void Execute(TauEventThread& worker);
  void Transfer(TauEventThread& worker);
  // False when a send failed.
  bool SendRequestLoop(TauEventThread& worker);
  void ReadHeaders(TauEventThread& worker);
  void ReadBody(TauEventThread& worker, bool local);
  void CheckAbort(TauEventThread& worker);
  // Worker: runs a WinInet call that may block for long, then checks for a stop.
  bool Blocking(TauEventThread& worker, const std::function<bool()>& call);
  // Main thread, outside this transfer's events, after a stop: waits for the worker to
  // wind up. Closing the handles cancels a blocked call on Windows; a WinInet that ends
  // such a call only when the server does is not waited for: after a short grace the
  // worker is given up and the transfer is wound up here. A worker between two calls is
  // waited for only with `waitToEnd`.
  void WindUpStopped(bool waitToEnd);
  // The live request handle; ends the work when it was closed by an abort.
  platform::InetHandle Request(TauEventThread& worker);
  // Raises an event on the main thread for the worker and waits for it.
  void RaiseOnMain(TauEventThread& worker, const std::function<void()>& event);
  void Finish();
  void RaiseOutcome();
  // Any thread: closes the WinInet handles still open, each exactly once.
  void CloseInetHandles();
  void CloseLocalFile();
  void ReleaseStream();
  void RemoveOutput();
  std::string Query(uint32_t info);
  void HttpStatus(uint32_t code, const void* info, uint32_t infoLength) override;
  // An exception of OnHTTPStatus or OnHTTPRedirect, kept for the outcome step.
  std::exception_ptr TakeStatusFault();
  bool StatusFaultPending();

  platform::HttpClient& FHttp;
  platform::WorkerThreads& FThreads;
  std::unique_ptr<TauCustomThread> FThread;

  // Main thread only (the worker reads them while the main thread serves its call).
  bool FBusy = false;
  bool FDestroying = false;
  bool FInOutcome = false;
  bool FStartPending = false;
  bool FPendingWait = false;
  bool FAbortRequested = false;
  bool FHandlerFailed = false;
  int FInEvent = 0;  // inside an event raised for the worker

  // Worker while it runs, then the outcome step.
  bool FOutputFailed = false;  // the output file could not be created for a good status
  bool FReadFailed = false;
  bool FBodyLimitExceeded = false;
  std::string FOutputPath;     // the output file this transfer created
  uint64_t FAnnouncedLength = 0;  // Content-Length, or the local file's size
  uint64_t FBodyBytes = 0;

  int FStatusCode = -1;
  bool FSucceeded = false;
  bool FTryAgain = false;
  bool FContinueDownload = true;
  bool FDeleteOutputOnAbort = false;
  uint32_t FFileSize = 0;
  uint32_t FBytesRead = 0;
  uint32_t FStartTick = 0;
  uint32_t FResumeFrom = 0;
  uint32_t FResumeTo = 0;
  TransferStatistics FStatistics;
  std::string FRawHeaders, FContentType, FContentLanguage, FContentEncoding, FLocation, FETag;
  TDateTime FResponseDate = 0, FLastModified = 0, FExpires = 0;

  std::unique_ptr<TauStream> FStream;
  std::vector<char> FBuffer;
  // Closed by whichever thread takes them first: the worker's wind-up or an abort.
  std::atomic<platform::InetHandle> FSession{nullptr};
  std::atomic<platform::InetHandle> FConnection{nullptr};
  std::atomic<platform::InetHandle> FRequest{nullptr};
  platform::FileHandle FLocalFile = nullptr;
  platform::SpinLock FStatusFaultLock;  // held only to copy or swap the pointer below
  std::exception_ptr FStatusFault;
};

}  // namespace update

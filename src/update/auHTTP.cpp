#include "update/auHTTP.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/Text.h"
#include "update/HttpDate.h"
#include "update/HttpUrl.h"

namespace update {
namespace {

// WinInet numbers used by the transfer.
const uint32_t kInternetServiceHttp = 3;
const uint32_t kOptionConnectTimeout = 2, kOptionSendTimeout = 5, kOptionReceiveTimeout = 6;
const uint32_t kOptionUsername = 28, kOptionPassword = 29;
const uint32_t kOptionProxyUsername = 43, kOptionProxyPassword = 44;
const uint32_t kQueryContentType = 1, kQueryContentLength = 5, kQueryContentLanguage = 6, kQueryDate = 9,
               kQueryExpires = 10, kQueryLastModified = 11, kQueryStatusCode = 19, kQueryRawHeadersCrLf = 22,
               kQueryContentEncoding = 29, kQueryLocation = 33, kQueryWwwAuthenticate = 40, kQueryETag = 54;
const uint32_t kAddReqFlagAdd = 0x20000000, kAddReqFlagReplace = 0x80000000;
const uint32_t kStatusRedirect = 110;

uint32_t AccessTypeValue(TauHTTPAccessType t) {
  switch (t) {
    case TauHTTPAccessType::atDirect: return 1;
    case TauHTTPAccessType::atUseProxy: return 3;
    default: return 0;
  }
}

// Content-Length as announced; a value past 64 bits reads as the largest one.
uint64_t ReadLength(const std::string& s) {
  std::string t = text::Trim(s);
  if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return 0;
  uint64_t v = 0;
  for (char c : t) {
    uint64_t digit = static_cast<uint64_t>(c - '0');
    if (v > (UINT64_MAX - digit) / 10) return UINT64_MAX;
    v = v * 10 + digit;
  }
  return v;
}

uint32_t Saturated32(uint64_t v) { return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(v); }

// A memory body is given room ahead for at most this much: the rest grows as data comes,
// so an announced length alone never makes the process commit memory.
const uint64_t kMostReserved = 1u << 20;

// How long a stop waits for the worker's own wind-up before it gives up a call that
// closing the handles did not cancel.
const uint32_t kStopGraceMs = 500;

class TauFileStream : public TauStream {
 public:
  TauFileStream(platform::HttpClient& http, platform::FileHandle handle) : FHttp(http), FHandle(handle) {}
  ~TauFileStream() override { FHttp.FileClose(FHandle); }
  uint64_t Size() const override { return FSize; }
  bool Write(const void* data, uint32_t size) override {
    if (!FHttp.FileWrite(FHandle, data, size)) return false;
    FSize += size;
    return true;
  }
  uint32_t Read(void*, uint32_t) override { return 0; }
  void Rewind() override {}

 private:
  platform::HttpClient& FHttp;
  platform::FileHandle FHandle;
  uint64_t FSize = 0;
};

}  // namespace

const char* const TauCustomHTTP::kDefaultUserAgent = "Lumenrig HTTP transfer (TauCustomHTTP)";

void TauHTTPProxy::Assign(const TauHTTPProxy* source) { *this = source ? *source : TauHTTPProxy(); }
void TauHTTPRange::Assign(const TauHTTPRange* source) { *this = source ? *source : TauHTTPRange(); }
void TauHTTPTimeouts::Assign(const TauHTTPTimeouts* source) { *this = source ? *source : TauHTTPTimeouts(); }

bool TauMemoryStream::Write(const void* data, uint32_t size) {
  const char* bytes = static_cast<const char*>(data);
  // Memory that runs out ends the body like a broken connection.
  try {
    if (FPosition == FData.size()) {
      FData.append(bytes, size);
    } else {
      if (FPosition + size > FData.size()) FData.resize(FPosition + size);
      std::memcpy(&FData[FPosition], bytes, size);
    }
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  FPosition += size;
  return true;
}

uint32_t TauMemoryStream::Read(void* buffer, uint32_t size) {
  size_t n = FData.size() - FPosition;
  if (n > size) n = size;
  std::memcpy(buffer, FData.data() + FPosition, n);
  FPosition += n;
  return static_cast<uint32_t>(n);
}

void TauMemoryStream::Reserve(uint64_t size) {
  // A size the process cannot hold is no reason to fail: the stream grows as data comes.
  try {
    FData.reserve(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// ---------------------------------------------------------------------------------------

TauCustomHTTP::TauCustomHTTP(platform::HttpClient& http, platform::WorkerThreads& threads)
    : FHttp(http), FThreads(threads), FThread(std::make_unique<TauCustomThread>(threads)) {
  FThread->OnExecute = [this](TauEventThread& worker) { Execute(worker); };
  // A fault of the work itself reaches the general error box; the outcome still follows.
  FThread->OnException = [](std::exception_ptr e) { std::rethrow_exception(e); };
  FThread->OnFinish = [this] { Finish(); };
}

TauCustomHTTP::~TauCustomHTTP() {
  FDestroying = true;
  FThread->StopThread(false);
  // The calls the worker still makes to the main thread are skipped while it is waited for.
  CloseInetHandles();
  if (FThreads.OnMainThread()) WindUpStopped(false);
  FThread.reset();
  CloseInetHandles();
  CloseLocalFile();
  ReleaseStream();
}

bool TauCustomHTTP::BeginTransfer(bool wait) {
  if (FDestroying) return false;
  // A start from inside an outcome begins after the outcome has been wound up.
  if (FInOutcome) {
    if (FStartPending) return false;
    FStartPending = true;
    FPendingWait = wait;
    return true;
  }
  if (FBusy) return false;
  StartWorker(wait);
  return true;
}

void TauCustomHTTP::StartWorker(bool wait) {
  FBusy = true;
  FResumeFrom = 0;
  FResumeTo = 0;
  FAbortRequested = false;
  FHandlerFailed = false;
  // Only an abort of this transfer may ask for its output to go.
  FDeleteOutputOnAbort = false;
  FThread->WaitThread = wait;
  try {
    FThread->StartThread();
  } catch (...) {
    // No worker: the component is idle again and the caller hears why.
    FBusy = false;
    throw;
  }
}

void TauCustomHTTP::AbortTransfer(bool deleteOutput, bool hard) {
  if (FInOutcome) {
    // The transfer is already ending; what it may still do is start the next one.
    FStartPending = false;
    return;
  }
  if (!FBusy) return;
  FDeleteOutputOnAbort = deleteOutput;
  FAbortRequested = true;
  // The flag first, then the handles: a worker that stores a new handle after this sees
  // the flag at its next check.
  FThread->StopThread(false);
  CloseInetHandles();
  // Inside one of this transfer's events the worker waits for the caller, and a worker
  // thread cannot wait for itself: there the abort completes once the caller returns.
  if (FInEvent == 0 && FThreads.OnMainThread()) WindUpStopped(hard);
}

void TauCustomHTTP::WindUpStopped(bool waitToEnd) {
  // Held here: a start from OnHTTPAborted puts a new worker in its place.
  std::shared_ptr<TauEventThread> worker = FThread->Current();
  if (worker->WaitFor(kStopGraceMs)) return;
  if (worker->AbandonIfBlocked()) {
    // The read that was cut off may still name the buffer as its target: it is never freed.
    new std::vector<char>(std::move(FBuffer));
    FBuffer = std::vector<char>();
    Finish();
    return;
  }
  // Between two calls: it sees the stop at its next check.
  if (waitToEnd) worker->WaitFor();
}

bool TauCustomHTTP::Blocking(TauEventThread& worker, const std::function<bool()>& call) {
  worker.EnterBlockingCall();
  bool ok = call();
  worker.LeaveBlockingCall();
  // What a call that the stop cut short, or that ended just as it came, returned counts
  // for nothing.
  CheckAbort(worker);
  return ok;
}

void TauCustomHTTP::RaiseOnMain(TauEventThread& worker, const std::function<void()>& event) {
  CheckAbort(worker);
  worker.RunInMainThread([this, &event] {
    // An abort asked for while this call waited: nobody hears of the transfer again but
    // through OnHTTPAborted.
    if (FAbortRequested || FDestroying) return;
    ++FInEvent;
    try {
      event();
    } catch (...) {
      --FInEvent;
      // Shown by the general error box once the worker is let go; the transfer stops.
      FHandlerFailed = true;
      throw;
    }
    --FInEvent;
  });
  CheckAbort(worker);
  if (FHandlerFailed) throw HandlerFault{};
}

void TauCustomHTTP::CheckAbort(TauEventThread& worker) {
  if (worker.Terminated()) throw Aborted{};
  if (StatusFaultPending()) throw HandlerFault{};
}

platform::InetHandle TauCustomHTTP::Request(TauEventThread& worker) {
  CheckAbort(worker);
  platform::InetHandle h = FRequest.load();
  if (!h) throw Aborted{};
  return h;
}

void TauCustomHTTP::Execute(TauEventThread& worker) {
  try {
    Transfer(worker);
  } catch (const Aborted&) {
  } catch (const HandlerFault&) {
  }
  // The outcome step on the main thread winds up, whichever way the work ended.
}

void TauCustomHTTP::Transfer(TauEventThread& worker) {
  FStatusCode = -1;
  FStartTick = FHttp.TickCount();
  FContinueDownload = true;
  FSucceeded = false;
  FTryAgain = false;
  FOutputFailed = false;
  FReadFailed = false;
  FBodyLimitExceeded = false;
  FOutputPath.clear();
  FAnnouncedLength = 0;
  FBodyBytes = 0;
  FFileSize = 0;
  FBytesRead = 0;
  FStatistics = TransferStatistics();
  FRawHeaders.clear();
  FContentType.clear();
  FContentLanguage.clear();
  FContentEncoding.clear();
  FLocation.clear();
  FETag.clear();
  FResponseDate = FLastModified = FExpires = 0;
  CheckAbort(worker);

  TauURLParts parts;
  if (!CrackURL(URL, parts)) return;
  std::string user = parts.User.empty() ? HTTPUsername : parts.User;
  std::string password = parts.Password.empty() ? HTTPPassword : parts.Password;

  if (parts.Scheme == "file") {
    uint64_t size = 0;
    FLocalFile = FHttp.FileOpenRead(parts.Path, size);
    if (!FLocalFile) {
      FStatusCode = 404;
    } else {
      FStatusCode = 200;
      FAnnouncedLength = size;
      FFileSize = size > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(size);
    }
    ReadBody(worker, true);
  } else {
    if (Proxy.AccessType == TauHTTPAccessType::atUseProxy) {
      std::string proxy = Proxy.ProxyServer + ":" + std::to_string(Proxy.ProxyPort);
      std::string bypass = Proxy.ProxyBypass;
      FSession = FHttp.InetOpen(UserAgent, AccessTypeValue(Proxy.AccessType), &proxy, bypass.empty() ? nullptr : &bypass);
    } else {
      FSession = FHttp.InetOpen(UserAgent, AccessTypeValue(Proxy.AccessType), nullptr, nullptr);
    }
    CheckAbort(worker);
    platform::InetHandle session = FSession.load();
    if (!session) return;
    // The notifications only feed these two events; without them WinInet is spared the
    // callback on every read.
    if (OnHTTPStatus || OnHTTPRedirect) FHttp.InetSetStatusCallback(session);
    FConnection = FHttp.InetConnect(session, parts.Host, parts.Port, user, password, kInternetServiceHttp, 0,
                                    static_cast<platform::HttpStatusSink*>(this));
    CheckAbort(worker);
    platform::InetHandle connection = FConnection.load();
    if (!connection) return;

    std::string object = (parts.Path.empty() ? std::string("/") : parts.Path) + parts.Extra;
    FRequest = FHttp.InetOpenRequest(connection, "GET", object, Referer, AcceptTypes,
                                     RequestFlags(CacheOptions, InternetOptions, parts.Scheme == "https"),
                                     static_cast<platform::HttpStatusSink*>(this));
    CheckAbort(worker);
    if (!FRequest.load()) return;
    if (Timeouts.ConnectTimeout)
      FHttp.InetSetOptionNumber(Request(worker), kOptionConnectTimeout, Timeouts.ConnectTimeout);
    if (Timeouts.ReceiveTimeout)
      FHttp.InetSetOptionNumber(Request(worker), kOptionReceiveTimeout, Timeouts.ReceiveTimeout);
    if (Timeouts.SendTimeout) FHttp.InetSetOptionNumber(Request(worker), kOptionSendTimeout, Timeouts.SendTimeout);
    std::string headers;
    for (const std::string& line : ExtraHeaders) headers += line + "\r\n";
    if (FResumeFrom || FResumeTo)
      headers += RangeHeaderLine(FResumeFrom, FResumeTo);
    else if (Range.StartRange || Range.EndRange)
      headers += RangeHeaderLine(Range.StartRange, Range.EndRange);
    if (!headers.empty())
      FHttp.InetAddRequestHeaders(Request(worker), headers, FStatusCode == 416 ? kAddReqFlagReplace : kAddReqFlagAdd);

    if (!SendRequestLoop(worker)) {
      // A send that fails ends the work, also a resend after an answer: that answer's
      // status is the outcome, with no headers or body read for it.
      if (FStatusCode != -1) FStream = std::make_unique<TauMemoryStream>();
      return;
    }
    ReadHeaders(worker);
    if (!FContinueDownload) return;
    ReadBody(worker, false);
  }

  FSucceeded = (FStatusCode == 200 || FStatusCode == 206) && !FOutputFailed && !FReadFailed && !FBodyLimitExceeded;
  if (FSucceeded && FAnnouncedLength != 0 && FStream) FSucceeded = FAnnouncedLength == FBodyBytes;
}

bool TauCustomHTTP::SendRequestLoop(TauEventThread& worker) {
  int proxyAnswers = 0;
  do {
    FTryAgain = false;
    platform::InetHandle request = Request(worker);
    if (!Blocking(worker, [&] { return FHttp.InetSendRequest(request); })) return false;
    std::string code;
    if (FHttp.InetQueryInfo(Request(worker), kQueryStatusCode, code, 4096)) {
      int value = 0;
      FStatusCode = text::TryParseInt(text::Trim(code), value) ? value : 0;
    }
    if (FStatusCode == 401 && OnHTTPPasswordRequest) {
      std::string authenticate, realm;
      if (FHttp.InetQueryInfo(Request(worker), kQueryWwwAuthenticate, authenticate, 4096))
        realm = RealmFromAuthenticate(authenticate);
      RaiseOnMain(worker, [this, &realm] { OnHTTPPasswordRequest(this, realm, FTryAgain); });
      FHttp.InetSetOptionText(Request(worker), kOptionUsername, HTTPUsername);
      FHttp.InetSetOptionText(Request(worker), kOptionPassword, HTTPPassword);
    } else if (FStatusCode == 407) {
      // The stored proxy credentials are tried once before anybody is asked.
      if (++proxyAnswers == 1) {
        FTryAgain = true;
      } else if (OnProxyAuthenticationRequest) {
        RaiseOnMain(worker, [this] {
          OnProxyAuthenticationRequest(this, Proxy.ProxyUsername, Proxy.ProxyPassword, FTryAgain);
        });
      }
      FHttp.InetSetOptionText(Request(worker), kOptionProxyUsername, Proxy.ProxyUsername);
      FHttp.InetSetOptionText(Request(worker), kOptionProxyPassword, Proxy.ProxyPassword);
    }
  } while (FTryAgain);
  return true;
}

std::string TauCustomHTTP::Query(uint32_t info) {
  std::string value;
  platform::InetHandle request = FRequest.load();
  return request && FHttp.InetQueryInfo(request, info, value, 4096) ? value : std::string();
}

void TauCustomHTTP::ReadHeaders(TauEventThread& worker) {
  CheckAbort(worker);
  FContentType = Query(kQueryContentType);
  FAnnouncedLength = ReadLength(Query(kQueryContentLength));
  // A length past 32 bits shows as the largest one, never as no length at all.
  FFileSize = Saturated32(FAnnouncedLength);
  TimeZoneBias zone = FHttp.TimeZone();
  FResponseDate = ParseHTTPDate(Query(kQueryDate), zone);
  FLastModified = ParseHTTPDate(Query(kQueryLastModified), zone);
  FExpires = ParseHTTPDate(Query(kQueryExpires), zone);
  if (!OnHTTPHeaderInfo) return;
  FRawHeaders = Query(kQueryRawHeadersCrLf);
  FContentLanguage = Query(kQueryContentLanguage);
  FContentEncoding = Query(kQueryContentEncoding);
  FLocation = Query(kQueryLocation);
  FETag = Query(kQueryETag);
  RaiseOnMain(worker, [this] {
    OnHTTPHeaderInfo(this, FStatusCode, FRawHeaders, FContentType, FContentLanguage, FContentEncoding, FFileSize,
                     FLocation, FResponseDate, FLastModified, FExpires, FETag, FContinueDownload);
  });
}

void TauCustomHTTP::ReadBody(TauEventThread& worker, bool local) {
  CheckAbort(worker);
  FBytesRead = 0;
  FBodyBytes = 0;
  // A body announced beyond the limit is refused before anything is stored.
  if (BodyLimit != 0 && FAnnouncedLength > BodyLimit) {
    FBodyLimitExceeded = true;
    FStream = std::make_unique<TauMemoryStream>();
    return;
  }
  bool good = FStatusCode == 200 || FStatusCode == 206;
  if (good && !OutputFileName.empty()) {
    std::string path = OutputFileName;
    platform::FileHandle f = FResumeFrom ? FHttp.FileOpenAppend(path) : FHttp.FileCreate(path);
    if (!f) {
      // The body has nowhere to go: end as a failure the caller can report, not as a
      // success in memory and not without an outcome.
      FOutputFailed = true;
      FStream = std::make_unique<TauMemoryStream>();
      return;
    }
    FOutputPath = path;
    FStream = std::make_unique<TauFileStream>(FHttp, f);
    if (HideOutputFile) FHttp.FileSetHiddenTemporary(path);
  } else {
    auto memory = std::make_unique<TauMemoryStream>();
    uint64_t room = FAnnouncedLength < kMostReserved ? FAnnouncedLength : kMostReserved;
    if (room) memory->Reserve(room);
    FStream = std::move(memory);
  }
  FBuffer.assign(static_cast<size_t>(TransferBufferSize > 0 ? TransferBufferSize : 4096), 0);
  if (local && !FLocalFile) return;
  uint32_t size = static_cast<uint32_t>(FBuffer.size());
  for (;;) {
    uint32_t n = 0;
    bool ok = false;
    if (local) {
      CheckAbort(worker);
      ok = FHttp.FileRead(FLocalFile, FBuffer.data(), size, n);
      CheckAbort(worker);
    } else {
      platform::InetHandle request = Request(worker);
      char* buffer = FBuffer.data();
      ok = Blocking(worker, [&] { return FHttp.InetReadFile(request, buffer, size, n); });
    }
    if (!ok) {
      FReadFailed = true;
      break;
    }
    if (n == 0) break;
    if (BodyLimit != 0 && FBodyBytes + n > BodyLimit) {
      FBodyLimitExceeded = true;
      break;
    }
    if (!FStream->Write(FBuffer.data(), n)) {
      FReadFailed = true;  // a full disk ends the body like a broken connection
      break;
    }
    FBodyBytes += n;
    FBytesRead = Saturated32(FBodyBytes);
    if (OnHTTPProgress) {
      RaiseOnMain(worker, [this] {
        FStatistics = ComputeStatistics(FFileSize, FBytesRead, FResumeFrom, FStartTick, FHttp.TickCount());
        OnHTTPProgress(this, FContentType, FFileSize + FResumeFrom, FResumeFrom + FBytesRead,
                       FStatistics.ElapsedTime, FStatistics.EstimatedTimeLeft, FStatistics.PercentsDone,
                       FStatistics.TransferRate, FStream.get());
      });
    }
  }
}

void TauCustomHTTP::CloseInetHandles() {
  // The request first: closing it cancels a call blocked on it.
  for (std::atomic<platform::InetHandle>* handle : {&FRequest, &FConnection, &FSession}) {
    platform::InetHandle h = handle->exchange(nullptr);
    if (h) FHttp.InetCloseHandle(h);
  }
}

void TauCustomHTTP::CloseLocalFile() {
  if (FLocalFile) FHttp.FileClose(FLocalFile);
  FLocalFile = nullptr;
}

void TauCustomHTTP::ReleaseStream() {
  FStream.reset();
  FBuffer = std::vector<char>();
}

void TauCustomHTTP::RemoveOutput() {
  // The file this transfer made, whatever OutputFileName names by now.
  if (!FOutputPath.empty()) FHttp.FileRemove(FOutputPath);
  FOutputPath.clear();
}

// The outcome step, on the main thread while the worker waits for it to return (or
// after the worker was given up).
void TauCustomHTTP::Finish() {
  CloseInetHandles();
  CloseLocalFile();
  if (FDestroying) return;
  FInOutcome = true;
  std::exception_ptr raised = TakeStatusFault();
  try {
    RaiseOutcome();
  } catch (...) {
    raised = std::current_exception();
  }
  ReleaseStream();
  FBusy = false;
  try {
    if (!FAbortRequested && !FContinueDownload && OnHTTPSkipped) OnHTTPSkipped(this);
  } catch (...) {
    if (!raised) raised = std::current_exception();
  }
  FInOutcome = false;
  if (FStartPending) {
    FStartPending = false;
    try {
      StartWorker(FPendingWait);
    } catch (...) {
      if (!raised) raised = std::current_exception();
    }
  }
  // Past the wind-up: the general error box shows it once the worker has been let go.
  if (raised) std::rethrow_exception(raised);
}

void TauCustomHTTP::RaiseOutcome() {
  if (FAbortRequested) {
    // Whatever the worker met after the stop was asked for, the abort is the outcome,
    // and nobody hears of it before the output file is closed (and gone when asked).
    ReleaseStream();
    if (FDeleteOutputOnAbort) RemoveOutput();
    if (OnHTTPAborted) OnHTTPAborted(this);
    return;
  }
  if (!FContinueDownload) return;
  // A transfer stopped before its body (a handler's fault) still hands its events a stream.
  if (!FStream) FStream = std::make_unique<TauMemoryStream>();
  FStream->Rewind();
  if (FBodyLimitExceeded) {
    // The refused body is neither kept nor shown.
    ReleaseStream();
    RemoveOutput();
    TauMemoryStream empty;
    if (OnHTTPError) OnHTTPError(this, FStatusCode, &empty);
  } else if (FSucceeded) {
    TauStream* stream = FStream.get();
    if (dynamic_cast<TauMemoryStream*>(stream) == nullptr) {
      FStream.reset();  // the file is closed before anybody looks at it
      stream = nullptr;
    }
    if (OnHTTPDone) OnHTTPDone(this, FContentType, FBytesRead, stream);
  } else if (FOutputFailed) {
    if (OnHTTPError) OnHTTPError(this, FStatusCode, FStream.get());
  } else if (FStatusCode == 200 || FStatusCode == 206) {
    if (OnHTTPDoneInterrupted) OnHTTPDoneInterrupted(this, FContentType, FFileSize, FBytesRead, FStream.get());
  } else if (FStatusCode == -1) {
    if (OnHTTPNoResponse) OnHTTPNoResponse(this);
  } else {
    if (OnHTTPError) OnHTTPError(this, FStatusCode, FStream.get());
  }
}

void TauCustomHTTP::HttpStatus(uint32_t code, const void* info, uint32_t infoLength) {
  // WinInet calls in here; nothing may unwind through it. A handler's exception stops the
  // transfer at its next check and is shown once the outcome has run.
  try {
    if (OnHTTPStatus) OnHTTPStatus(this, code, StatusText(code));
    if (code == kStatusRedirect && OnHTTPRedirect && info) {
      const char* s = static_cast<const char*>(info);
      size_t n = infoLength;
      while (n > 0 && s[n - 1] == '\0') --n;  // the length counts the terminating zero
      OnHTTPRedirect(this, std::string(s, strnlen(s, n)));
    }
  } catch (...) {
    platform::SpinGuard lock(FStatusFaultLock);
    if (!FStatusFault) FStatusFault = std::current_exception();
  }
}

std::exception_ptr TauCustomHTTP::TakeStatusFault() {
  platform::SpinGuard lock(FStatusFaultLock);
  std::exception_ptr e = FStatusFault;
  FStatusFault = nullptr;
  return e;
}

bool TauCustomHTTP::StatusFaultPending() {
  platform::SpinGuard lock(FStatusFaultLock);
  return FStatusFault != nullptr;
}

}  // namespace update

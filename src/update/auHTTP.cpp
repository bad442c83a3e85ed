#include "update/auHTTP.h"

#include <cstdlib>
#include <cstring>
#include <new>

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

uint32_t ReadLength(const std::string& s) {
  std::string t = text::Trim(s);
  if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos || t.size() > 10) return 0;
  unsigned long long v = std::strtoull(t.c_str(), nullptr, 10);
  return v > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(v);
}

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
  if (FPosition == FData.size()) {
    FData.append(bytes, size);
  } else {
    if (FPosition + size > FData.size()) FData.resize(FPosition + size);
    std::memcpy(&FData[FPosition], bytes, size);
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
    : FHttp(http), FThread(std::make_unique<TauCustomThread>(threads)) {
  FThread->OnExecute = [this](TauEventThread& worker) { Execute(worker); };
  FThread->OnFinish = [this] { Finish(); };
}

TauCustomHTTP::~TauCustomHTTP() {
  FDestroying = true;
  FThread->StopThread(false);
  // Waits for the worker; the calls it still makes to the main thread are skipped.
  FThread.reset();
  CloseHandles();
  ReleaseStream();
}

bool TauCustomHTTP::BeginTransfer(bool wait) {
  if (FDestroying) return false;
  if (FBusy) {
    // A start from inside the outcome begins after the outcome has been wound up.
    if (FInOutcome && !FStartPending) {
      FStartPending = true;
      FPendingWait = wait;
      return true;
    }
    return false;
  }
  StartWorker(wait);
  return true;
}

void TauCustomHTTP::StartWorker(bool wait) {
  FBusy = true;
  FResumeFrom = 0;
  FResumeTo = 0;
  FAborted = false;
  // Only an abort of this transfer may ask for its output to go.
  FDeleteOutputOnAbort = false;
  FThread->WaitThread = wait;
  FThread->StartThread();
}

void TauCustomHTTP::AbortTransfer(bool deleteOutput, bool hard) {
  if (!FBusy || FInOutcome) return;
  FDeleteOutputOnAbort = deleteOutput;
  // Inside one of this transfer's events the worker waits for the handler: killing it
  // there would pull the call's frame from under the handler. It stops as soon as the
  // handler returns instead.
  if (!hard || FInEvent > 0) {
    FThread->StopThread(false);
    return;
  }
  FThread->StopThread(true);
  AbortCleanup();
  FBusy = false;
  if (OnHTTPAborted) OnHTTPAborted(this);
}

void TauCustomHTTP::RaiseOnMain(TauEventThread& worker, const std::function<void()>& event) {
  worker.RunInMainThread([this, &event] {
    ++FInEvent;
    try {
      event();
    } catch (...) {
      --FInEvent;
      throw;
    }
    --FInEvent;
  });
}

void TauCustomHTTP::CheckAbort(TauEventThread& worker) {
  if (worker.Terminated()) throw Aborted{};
}

void TauCustomHTTP::Execute(TauEventThread& worker) {
  try {
    Transfer(worker);
  } catch (const Aborted&) {
    AbortCleanup();
    if (OnHTTPAborted) RaiseOnMain(worker, [this] { OnHTTPAborted(this); });
  }
}

void TauCustomHTTP::AbortCleanup() {
  FAborted = true;
  CloseHandles();
  ReleaseStream();
  if (FDeleteOutputOnAbort && FOutputCreated) FHttp.FileRemove(OutputFileName);
  FBuffer = std::vector<char>();
}

void TauCustomHTTP::Transfer(TauEventThread& worker) {
  FStatusCode = -1;
  FStartTick = FHttp.TickCount();
  FContinueDownload = true;
  FSucceeded = false;
  FTryAgain = false;
  FOutputFailed = false;
  FReadFailed = false;
  FOutputCreated = false;
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
      FFileSize = 0;
    } else {
      FStatusCode = 200;
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
    if (!FSession) return;
    // The notifications only feed these two events; without them WinInet is spared the
    // callback on every read.
    if (OnHTTPStatus || OnHTTPRedirect) FHttp.InetSetStatusCallback(FSession);
    CheckAbort(worker);
    FConnection = FHttp.InetConnect(FSession, parts.Host, parts.Port, user, password, kInternetServiceHttp, 0,
                                    static_cast<platform::HttpStatusSink*>(this));
    if (!FConnection) return;
    CheckAbort(worker);

    std::string object = (parts.Path.empty() ? std::string("/") : parts.Path) + parts.Extra;
    FRequest = FHttp.InetOpenRequest(FConnection, "GET", object, Referer, AcceptTypes,
                                     RequestFlags(CacheOptions, InternetOptions, parts.Scheme == "https"),
                                     static_cast<platform::HttpStatusSink*>(this));
    if (!FRequest) return;
    if (Timeouts.ConnectTimeout) FHttp.InetSetOptionNumber(FRequest, kOptionConnectTimeout, Timeouts.ConnectTimeout);
    if (Timeouts.ReceiveTimeout) FHttp.InetSetOptionNumber(FRequest, kOptionReceiveTimeout, Timeouts.ReceiveTimeout);
    if (Timeouts.SendTimeout) FHttp.InetSetOptionNumber(FRequest, kOptionSendTimeout, Timeouts.SendTimeout);
    std::string headers;
    for (const std::string& line : ExtraHeaders) headers += line + "\r\n";
    if (FResumeFrom || FResumeTo)
      headers += RangeHeaderLine(FResumeFrom, FResumeTo);
    else if (Range.StartRange || Range.EndRange)
      headers += RangeHeaderLine(Range.StartRange, Range.EndRange);
    if (!headers.empty())
      FHttp.InetAddRequestHeaders(FRequest, headers, FStatusCode == 416 ? kAddReqFlagReplace : kAddReqFlagAdd);

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

  FSucceeded = (FStatusCode == 200 || FStatusCode == 206) && !FOutputFailed && !FReadFailed;
  if (FSucceeded && FFileSize != 0 && FStream) FSucceeded = FFileSize == FBytesRead;
}

bool TauCustomHTTP::SendRequestLoop(TauEventThread& worker) {
  int proxyAnswers = 0;
  do {
    CheckAbort(worker);
    FTryAgain = false;
    if (!FHttp.InetSendRequest(FRequest)) return false;
    std::string code;
    if (FHttp.InetQueryInfo(FRequest, kQueryStatusCode, code, 4096)) {
      int value = 0;
      FStatusCode = text::TryParseInt(text::Trim(code), value) ? value : 0;
    }
    if (FStatusCode == 401 && OnHTTPPasswordRequest) {
      std::string authenticate, realm;
      if (FHttp.InetQueryInfo(FRequest, kQueryWwwAuthenticate, authenticate, 4096))
        realm = RealmFromAuthenticate(authenticate);
      RaiseOnMain(worker, [this, &realm] { OnHTTPPasswordRequest(this, realm, FTryAgain); });
      FHttp.InetSetOptionText(FRequest, kOptionUsername, HTTPUsername);
      FHttp.InetSetOptionText(FRequest, kOptionPassword, HTTPPassword);
    } else if (FStatusCode == 407) {
      // The stored proxy credentials are tried once before anybody is asked.
      if (++proxyAnswers == 1) {
        FTryAgain = true;
      } else if (OnProxyAuthenticationRequest) {
        RaiseOnMain(worker, [this] {
          OnProxyAuthenticationRequest(this, Proxy.ProxyUsername, Proxy.ProxyPassword, FTryAgain);
        });
      }
      FHttp.InetSetOptionText(FRequest, kOptionProxyUsername, Proxy.ProxyUsername);
      FHttp.InetSetOptionText(FRequest, kOptionProxyPassword, Proxy.ProxyPassword);
    }
  } while (FTryAgain);
  return true;
}

std::string TauCustomHTTP::Query(uint32_t info) {
  std::string value;
  return FHttp.InetQueryInfo(FRequest, info, value, 4096) ? value : std::string();
}

void TauCustomHTTP::ReadHeaders(TauEventThread& worker) {
  CheckAbort(worker);
  FContentType = Query(kQueryContentType);
  FFileSize = ReadLength(Query(kQueryContentLength));
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
  bool good = FStatusCode == 200 || FStatusCode == 206;
  if (good && !OutputFileName.empty()) {
    platform::FileHandle f = FResumeFrom ? FHttp.FileOpenAppend(OutputFileName) : FHttp.FileCreate(OutputFileName);
    if (!f) {
      // The body has nowhere to go: end as a failure the caller can report, not as a
      // success in memory and not without an outcome.
      FOutputFailed = true;
      FStream = std::make_unique<TauMemoryStream>();
      return;
    }
    FOutputCreated = true;
    FStream = std::make_unique<TauFileStream>(FHttp, f);
    if (HideOutputFile) FHttp.FileSetHiddenTemporary(OutputFileName);
  } else {
    auto memory = std::make_unique<TauMemoryStream>();
    if (FFileSize) memory->Reserve(FFileSize);
    FStream = std::move(memory);
  }
  FBytesRead = 0;
  FBuffer.assign(static_cast<size_t>(TransferBufferSize > 0 ? TransferBufferSize : 4096), 0);
  if (local && !FLocalFile) return;
  uint32_t size = static_cast<uint32_t>(FBuffer.size());
  for (;;) {
    CheckAbort(worker);
    uint32_t n = 0;
    bool ok = local ? FHttp.FileRead(FLocalFile, FBuffer.data(), size, n)
                    : FHttp.InetReadFile(FRequest, FBuffer.data(), size, n);
    if (!ok) {
      FReadFailed = true;
      break;
    }
    if (n == 0) break;
    if (!FStream->Write(FBuffer.data(), n)) {
      FReadFailed = true;  // a full disk ends the body like a broken connection
      break;
    }
    FBytesRead += n;
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

void TauCustomHTTP::CloseHandles() {
  if (FRequest) FHttp.InetCloseHandle(FRequest);
  if (FConnection) FHttp.InetCloseHandle(FConnection);
  if (FSession) FHttp.InetCloseHandle(FSession);
  if (FLocalFile) FHttp.FileClose(FLocalFile);
  FRequest = FConnection = FSession = nullptr;
  FLocalFile = nullptr;
}

void TauCustomHTTP::ReleaseStream() {
  FStream.reset();
  FBuffer = std::vector<char>();
}

void TauCustomHTTP::Finish() {
  CloseHandles();
  if (FStream) FStream->Rewind();
  FInOutcome = true;
  std::exception_ptr raised;
  try {
    if (!FAborted && FContinueDownload) {
      if (FSucceeded) {
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
  } catch (...) {
    raised = std::current_exception();
  }
  ReleaseStream();
  FBusy = false;
  try {
    if (!FAborted && !FContinueDownload && OnHTTPSkipped) OnHTTPSkipped(this);
  } catch (...) {
    if (!raised) raised = std::current_exception();
  }
  FInOutcome = false;
  if (FStartPending) {
    FStartPending = false;
    StartWorker(FPendingWait);
  }
  if (raised) std::rethrow_exception(raised);
}

void TauCustomHTTP::HttpStatus(uint32_t code, const void* info, uint32_t infoLength) {
  if (OnHTTPStatus) OnHTTPStatus(this, code, StatusText(code));
  if (code == kStatusRedirect && OnHTTPRedirect && info) {
    const char* s = static_cast<const char*>(info);
    size_t n = infoLength;
    while (n > 0 && s[n - 1] == '\0') --n;  // the length counts the terminating zero
    OnHTTPRedirect(this, std::string(s, strnlen(s, n)));
  }
}

}  // namespace update

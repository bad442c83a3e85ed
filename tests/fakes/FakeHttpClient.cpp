#include "fakes/FakeHttpClient.h"

#include <algorithm>
#include <cstring>
#include <memory>

FakeHttpAnswer FakeHttpClient::Ok(const std::string& body, const std::string& type) {
  FakeHttpAnswer a;
  a.body = body;
  a.headers[kContentType] = type;
  a.headers[kContentLength] = std::to_string(body.size());
  return a;
}

FakeHttpClient::Handle* FakeHttpClient::Make(int kind) {
  std::lock_guard<std::mutex> lock(mutex_);
  handles_.push_back(std::make_unique<Handle>());
  handles_.back()->kind = kind;
  if (kind == 4)
    ++filesOpen;
  else
    ++handlesOpen;
  return handles_.back().get();
}

platform::InetHandle FakeHttpClient::InetOpen(const std::string& agent, uint32_t accessType,
                                              const std::string* proxy, const std::string* bypass) {
  OpenCall c{agent, accessType, {}, {}};
  if (proxy) c.proxy = *proxy;
  if (bypass) c.bypass = *bypass;
  opens.push_back(c);
  return openFails ? nullptr : Make(1);
}

void FakeHttpClient::InetSetStatusCallback(platform::InetHandle) { ++callbacksSet; }

platform::InetHandle FakeHttpClient::InetConnect(platform::InetHandle, const std::string& host, uint16_t port,
                                                 const std::string& user, const std::string& password,
                                                 uint32_t service, uint32_t flags, platform::HttpStatusSink* context) {
  connects.push_back({host, port, user, password, service, flags, context != nullptr});
  return connectFails ? nullptr : Make(2);
}

platform::InetHandle FakeHttpClient::InetOpenRequest(platform::InetHandle, const std::string& verb,
                                                     const std::string& object, const std::string& referer,
                                                     const std::string& acceptType, uint32_t flags,
                                                     platform::HttpStatusSink*) {
  requests.push_back({verb, object, referer, acceptType, flags});
  if (requestFails) return nullptr;
  Handle* h = Make(3);
  h->object = object;
  return h;
}

bool FakeHttpClient::InetSetOptionNumber(platform::InetHandle, uint32_t option, uint32_t value) {
  options.push_back({option, std::to_string(value)});
  return true;
}

bool FakeHttpClient::InetSetOptionText(platform::InetHandle, uint32_t option, const std::string& value) {
  options.push_back({option, value});
  return true;
}

bool FakeHttpClient::InetAddRequestHeaders(platform::InetHandle, const std::string& headers, uint32_t flags) {
  addedHeaders.push_back({headers, flags});
  return true;
}

bool FakeHttpClient::InetSendRequest(platform::InetHandle request) {
  Handle* h = static_cast<Handle*>(request);
  int n = ++sends;
  if (onSend) onSend(n);
  if (failOnClosedHandle && Closed(h)) return false;
  auto it = answers.find(h->object);
  if (it == answers.end() || it->second.empty()) return false;  // nobody answers: like a refused connection
  const std::vector<FakeHttpAnswer>& list = it->second;
  h->answer = &list[std::min<size_t>(h->sent, list.size() - 1)];
  ++h->sent;
  h->position = 0;
  return !h->answer->sendFails;
}

bool FakeHttpClient::InetQueryInfo(platform::InetHandle request, uint32_t info, std::string& value, uint32_t) {
  queries.push_back(info);
  Handle* h = static_cast<Handle*>(request);
  if (!h->answer) return false;
  if (info == kStatusCode) {
    value = std::to_string(h->answer->status);
    return true;
  }
  auto it = h->answer->headers.find(info);
  if (it == h->answer->headers.end()) return false;
  value = it->second;
  return true;
}

bool FakeHttpClient::InetReadFile(platform::InetHandle request, void* buffer, uint32_t size, uint32_t& read) {
  Handle* h = static_cast<Handle*>(request);
  int n = ++reads;
  if (onRead) onRead(n);
  read = 0;
  if (failOnClosedHandle && Closed(h)) return false;
  if (!h->answer) return false;
  size_t left = h->answer->body.size() - h->position;
  if (left == 0) return !h->answer->readFailsAtEnd;
  size_t take = std::min<size_t>(left, size);
  if (h->answer->chunk) take = std::min<size_t>(take, h->answer->chunk);
  std::memcpy(buffer, h->answer->body.data() + h->position, take);
  h->position += take;
  read = static_cast<uint32_t>(take);
  return true;
}

void FakeHttpClient::InetCloseHandle(platform::InetHandle h) {
  std::lock_guard<std::mutex> lock(mutex_);
  Handle* handle = static_cast<Handle*>(h);
  if (handle->closed) {
    ++doubleCloses;
    return;
  }
  handle->closed = true;
  --handlesOpen;
}

bool FakeHttpClient::Closed(Handle* h) {
  std::lock_guard<std::mutex> lock(mutex_);
  return h->closed;
}

bool FakeHttpClient::RequestClosed() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = handles_.rbegin(); it != handles_.rend(); ++it)
    if ((*it)->kind == 3) return (*it)->closed;
  return false;
}

platform::FileHandle FakeHttpClient::FileOpenRead(const std::string& path, uint64_t& size) {
  auto it = files.find(path);
  if (it == files.end()) return nullptr;
  size = it->second.size();
  Handle* h = Make(4);
  h->path = path;
  return h;
}

platform::FileHandle FakeHttpClient::FileCreate(const std::string& path) {
  if (uncreatable.count(path)) return nullptr;
  files[path].clear();
  hidden.erase(path);
  Handle* h = Make(4);
  h->path = path;
  h->write = true;
  return h;
}

platform::FileHandle FakeHttpClient::FileOpenAppend(const std::string& path) {
  if (uncreatable.count(path)) return nullptr;
  Handle* h = Make(4);
  h->path = path;
  h->write = true;
  return h;
}

bool FakeHttpClient::FileRead(platform::FileHandle f, void* buffer, uint32_t size, uint32_t& read) {
  Handle* h = static_cast<Handle*>(f);
  const std::string& data = files[h->path];
  size_t take = std::min<size_t>(size, data.size() - std::min(h->position, data.size()));
  std::memcpy(buffer, data.data() + h->position, take);
  h->position += take;
  read = static_cast<uint32_t>(take);
  return true;
}

bool FakeHttpClient::FileWrite(platform::FileHandle f, const void* data, uint32_t size) {
  Handle* h = static_cast<Handle*>(f);
  if (!h->write) return false;
  files[h->path].append(static_cast<const char*>(data), size);
  return true;
}

void FakeHttpClient::FileClose(platform::FileHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  --filesOpen;
}

bool FakeHttpClient::FileSetHiddenTemporary(const std::string& path) {
  hidden.insert(path);
  return files.count(path) > 0;
}

bool FakeHttpClient::FileRemove(const std::string& path) {
  hidden.erase(path);
  return files.erase(path) > 0;
}

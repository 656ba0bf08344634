// The sinks bound to a simulated connection point: the viewer's, the dock container's and
// each in-memory document's. Raising an event visits the sinks bound when it started; a
// sink that is unadvised meanwhile (by itself, by another sink, or by a nested event) is
// skipped, never called after its Unadvise. A sink bound meanwhile waits for the next
// event.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "automation/error.h"

namespace nimbo::standalone {

template <class Sink>
class SimulatedEventSinks {
 public:
  // The sink is borrowed until Unadvise. A null sink is refused as a real connection
  // point refuses it (E_POINTER surfaces as an invalid argument).
  int32_t Advise(Sink* sink) {
    if (sink == nullptr) throw automation::errors::Standard(automation::errors::kInvalidCall);
    return Bind(*sink);
  }

  // An unknown cookie is an invalid argument (CONNECT_E_NOCONNECTION).
  void Unadvise(int32_t cookie) {
    if (!Unbind(cookie)) throw automation::errors::Standard(automation::errors::kInvalidCall);
  }

  // Advise and Unadvise without their errors, for a connection point that reports its
  // own (the in-memory document names its drawing in them). Bind answers the cookie;
  // Unbind answers whether the cookie named a sink.
  int32_t Bind(Sink& sink) {
    const int32_t cookie = nextCookie_++;
    sinks_[cookie] = &sink;
    return cookie;
  }
  bool Unbind(int32_t cookie) { return sinks_.erase(cookie) != 0; }
  // Every sink at once, as a connection point that goes away drops them; cookies are not
  // reused afterwards.
  void UnbindAll() { sinks_.clear(); }

  void Raise(const std::function<void(Sink&)>& deliver) {
    std::vector<int32_t> cookies;
    cookies.reserve(sinks_.size());
    for (const auto& [cookie, sink] : sinks_) cookies.push_back(cookie);
    for (int32_t cookie : cookies) {
      auto it = sinks_.find(cookie);
      if (it == sinks_.end()) continue;
      deliver(*it->second);
    }
  }

  size_t Count() const { return sinks_.size(); }

 private:
  std::map<int32_t, Sink*> sinks_;  // borrowed, by cookie in Advise order
  int32_t nextCookie_ = 1;
};

}  // namespace nimbo::standalone

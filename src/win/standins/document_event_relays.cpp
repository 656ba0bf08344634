#include "win/standins/document_event_relays.h"

#include <span>
#include <string>
#include <utility>

#include "win/standins/cad_dispids.h"

namespace nimbo::win::standins {

using automation::Variant;

class DocumentEventRelays::Relay : public host::DocumentEvents {
 public:
  Relay(DocumentEventRelays& owner, DWORD cookie) : owner_(owner), cookie_(cookie) {}
  void BeginDocClose(automation::VBool& cancel) override {
    Variant arguments[] = {Variant::Ref(cancel)};
    Raise(cad_dispid::kBeginDocClose, arguments);
  }
  void EndCommand(const std::string& commandName) override {
    Variant arguments[] = {Variant(commandName)};
    Raise(cad_dispid::kEndCommand, arguments);
  }

  int32_t hostCookie = 0;
  bool muted = false;  // unadvised over COM: raises nothing more

 private:
  void Raise(DISPID id, std::span<const Variant> arguments) {
    if (!muted && owner_.object_ != nullptr) owner_.object_->FireAt(cookie_, id, arguments);
  }
  DocumentEventRelays& owner_;  // borrowed: owns the relay
  DWORD cookie_;
};

DocumentEventRelays::DocumentEventRelays(host::DocumentRef document)
    : document_(std::move(document)) {}

DocumentEventRelays::~DocumentEventRelays() {
  Shutdown();
}

void DocumentEventRelays::Advised(DWORD cookie) {
  auto relay = std::make_unique<Relay>(*this, cookie);
  relay->hostCookie = document_->Advise(relay.get());  // refuses the COM Advise if it fails
  relays_.emplace(cookie, std::move(relay));
}

void DocumentEventRelays::Unadvised(DWORD cookie) {
  auto found = relays_.find(cookie);
  if (found == relays_.end()) return;
  std::unique_ptr<Relay> relay = std::move(found->second);
  relays_.erase(found);
  relay->muted = true;
  const int32_t hostCookie = relay->hostCookie;
  Relay* borrowed = relay.release();
  // The host borrows the relay until its Unadvise succeeds; when that fails the relay is
  // left to it, silent, rather than freed under it.
  document_->Unadvise(hostCookie);
  delete borrowed;
}

void DocumentEventRelays::Shutdown() {
  std::map<DWORD, std::unique_ptr<Relay>> relays = std::move(relays_);
  relays_.clear();
  for (auto& [cookie, relay] : relays) {
    relay->muted = true;
    try {
      document_->Unadvise(relay->hostCookie);
    } catch (...) {
      relay.release();  // the host may still call it: left to it, silent
    }
  }
  object_ = nullptr;
}

}  // namespace nimbo::win::standins

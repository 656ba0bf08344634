// The errors that the in-memory CAD host raises of its own accord (planned failures of
// the fault plan carry whatever number the plan gives). Two numbers are the platform's
// own (a disconnected object, a cancelled pick); the others are this host's, chosen in the
// CAD application's error range 0x8020xxxx, and every description names what was wrong.
#pragma once

#include <cstdint>
#include <string>

#include "automation/error.h"

namespace nimbo::standalone::host_error {

// RPC_E_DISCONNECTED: any call on a closed document or on an object reached through it.
inline constexpr int32_t kDisconnected = -2147417848;
inline constexpr const char* kDisconnectedText =
    "The object invoked has disconnected from its clients.";
// DISP_E_EXCEPTION: a pick or selection cancelled by the person (errors::kUserCancelled).
inline constexpr const char* kUserCancelledText = "Exception occurred.";
// An argument the host refuses: a wrong count of coordinates, an unknown selection mode,
// a wrong value type for a system variable, an unknown or read-only system variable.
inline constexpr int32_t kInvalidInput = -2145386493;  // 0x80200003
// No active document (ZoomCenter).
inline constexpr int32_t kNoDocument = -2145386492;  // 0x80200004
// A name or index that the collection does not have (a layer, a block, an object-data
// field, an index out of range).
inline constexpr int32_t kKeyNotFound = -2145386476;  // 0x80200014
// A name that must be unique and exists already (a named selection set).
inline constexpr int32_t kDuplicateKey = -2145386475;  // 0x80200015
// A call on an entity, layer or selection set that has been deleted.
inline constexpr int32_t kObjectErased = -2145386420;  // 0x8020004C
// A layer that cannot be deleted: layer "0", the current layer, a layer still in use.
inline constexpr int32_t kCannotDelete = -2145386342;  // 0x8020009A
// Unadvise with a cookie that names no connection (CONNECT_E_NOCONNECTION).
inline constexpr int32_t kNoConnection = -2147220992;
// GetInterfaceObject of an application that is not available.
inline constexpr int32_t kCannotLoadApplication = -2147221005;  // CO_E_CLASSSTRING

inline automation::AutomationError Raise(int32_t number, std::string description,
                                         std::string source = "MemoryHost") {
  return automation::AutomationError(number, std::move(description), std::move(source));
}

}  // namespace nimbo::standalone::host_error

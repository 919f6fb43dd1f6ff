// Status codes of the engine and its graph: 32-bit HRESULT-style values, negative on failure.
// The names differ from the platform macros (S_OK, E_FAIL...) so that they never collide.
#pragma once

#include <cstdint>

namespace hr {
inline constexpr int32_t Ok = 0;                                              // S_OK
inline constexpr int32_t False = 1;                                           // S_FALSE
inline constexpr int32_t NoInterface = static_cast<int32_t>(0x80004002u);     // E_NOINTERFACE
inline constexpr int32_t Pointer = static_cast<int32_t>(0x80004003u);         // E_POINTER
inline constexpr int32_t Fail = static_cast<int32_t>(0x80004005u);            // E_FAIL
inline constexpr int32_t ClassNotRegistered = static_cast<int32_t>(0x80040154u);  // REGDB_E_CLASSNOTREG
inline constexpr int32_t FileNotFound = static_cast<int32_t>(0x80070002u);    // ERROR_FILE_NOT_FOUND
inline constexpr int32_t InvalidArg = static_cast<int32_t>(0x80070057u);      // E_INVALIDARG
inline constexpr int32_t WrongState = static_cast<int32_t>(0x80040227u);      // VFW_E_WRONG_STATE
inline constexpr int32_t InvalidFileFormat = static_cast<int32_t>(0x8004022Fu);  // VFW_E_INVALID_FILE_FORMAT
inline constexpr int32_t NotConnected = static_cast<int32_t>(0x80040209u);    // VFW_E_NOT_CONNECTED
inline constexpr int32_t AlreadyConnected = static_cast<int32_t>(0x80040204u);  // VFW_E_ALREADY_CONNECTED
inline constexpr int32_t TypeNotAccepted = static_cast<int32_t>(0x8004022Au);   // VFW_E_TYPE_NOT_ACCEPTED
inline constexpr int32_t CannotConnect = static_cast<int32_t>(0x80040217u);   // VFW_E_CANNOT_CONNECT
inline constexpr int32_t NotFound = static_cast<int32_t>(0x80040216u);        // VFW_E_NOT_FOUND
inline constexpr int32_t HandleEof = 38;                                      // ERROR_HANDLE_EOF

constexpr bool Failed(int32_t code) { return code < 0; }
constexpr bool Succeeded(int32_t code) { return code >= 0; }
}  // namespace hr

#pragma once
// The catalogue of error numbers raised by the platform code. Where Basic or the
// Jet database engine had a number for the same failure, that number is used.

#include <cstdint>

namespace qvc::rt::err {

inline constexpr int32_t kInvalidProcedureCall = 5;  // bad argument value
inline constexpr int32_t kOverflow = 6;              // value does not fit the type
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;  // index outside a list or array
inline constexpr int32_t kTypeMismatch = 13;        // text that is not a number, etc.
inline constexpr int32_t kInternal = 51;            // unexpected failure inside the library
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileAlreadyExists = 58;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathNotFound = 76;  // folder does not exist
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidPattern = 93;  // ill-formed Like pattern
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kDeviceUnavailable = 68;  // e.g. no printer installed
inline constexpr int32_t kSyntaxError = 3075;      // SQL statement the engine cannot parse
inline constexpr int32_t kNoCurrentRecord = 3021;
inline constexpr int32_t kUpdateWithoutAddNewOrEdit = 3020;
inline constexpr int32_t kDatabaseFileNotFound = 3024;
inline constexpr int32_t kCannotOpenDatabase = 3049;  // not a database file, corrupt
inline constexpr int32_t kDatabaseLocked = 3260;      // busy beyond the timeout
inline constexpr int32_t kReadOnlyDatabase = 3027;    // write to a read-only database
inline constexpr int32_t kTableNotFound = 3078;
inline constexpr int32_t kFieldNotFound = 3265;
inline constexpr int32_t kCommitWithoutBegin = 3034;    // commit without a transaction
inline constexpr int32_t kDatabaseError = 3146;         // any other database engine failure
inline constexpr int32_t kFieldCannotBeUpdated = 3164;  // e.g. an autonumber key
inline constexpr int32_t kObjectClosed = 3420;          // use of a closed database or result set
inline constexpr int32_t kXmlParse = 31001;             // ill-formed mark-up

}  // namespace qvc::rt::err

#pragma once
// The framework's exception classes. Every raise goes through one of the
// functions at the bottom, so a breakpoint there finds every origin.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vl {

/// The base of the library's exceptions.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
    std::string Message() const { return what(); }
};

/// An index or count outside a list.
class EListError : public Exception { using Exception::Exception; };
/// The base of stream failures.
class EStreamError : public Exception { using Exception::Exception; };
/// A read past the end of a stream or of a stored record.
class EReadError : public EStreamError { using EStreamError::EStreamError; };
/// A stream that took fewer bytes than written.
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
/// A file that cannot be created.
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
/// A file that cannot be opened.
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
/// A value that cannot be converted.
class EConvertError : public Exception { using Exception::Exception; };
/// A picture that cannot be read or drawn.
class EInvalidGraphic : public Exception { using Exception::Exception; };
/// An operation the object's state does not allow.
class EInvalidOperation : public Exception { using Exception::Exception; };
/// A resource the platform could not provide.
class EOutOfResources : public Exception { using Exception::Exception; };
/// A component used against its rules.
class EComponentError : public Exception { using Exception::Exception; };
/// A failed file operation.
class EInOutError : public Exception { using Exception::Exception; };

/// The silent abort: unwinds without anything being shown.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

/// Standard list messages, formatted with the offending number.
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";

[[noreturn]] void RaiseListError(const char* msg, int64_t data);
[[noreturn]] void RaiseReadError();
[[noreturn]] void RaiseWriteError();
[[noreturn]] void RaiseFileCreateError(const std::string& fileName);
[[noreturn]] void RaiseFileOpenError(const std::string& fileName);
[[noreturn]] void RaiseConvertError(const std::string& msg);
[[noreturn]] void RaiseInvalidGraphic(const std::string& msg);
[[noreturn]] void RaiseError(const std::string& msg);
[[noreturn]] void RaiseComponentError(const std::string& msg);
[[noreturn]] void RaiseInOutError(const std::string& msg);
[[noreturn]] void RaiseInvalidOperation(const std::string& msg);
[[noreturn]] void Abort();

} // namespace vl

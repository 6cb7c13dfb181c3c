#pragma once
// Exceptions and the string helpers of the host's run-time library.
#include <exception>
#include <string>
#include <string_view>

namespace host {

// Base of every exception the framework raises; Message is what users see.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define HOST_EXCEPTION(Name, Parent) \
  class Name : public Parent {       \
   public:                           \
    using Parent::Parent;            \
  };

HOST_EXCEPTION(EConvertError, Exception)
HOST_EXCEPTION(EListError, Exception)
HOST_EXCEPTION(EStringListError, Exception)
HOST_EXCEPTION(EComponentError, Exception)
HOST_EXCEPTION(EInvalidCast, Exception)
HOST_EXCEPTION(EInvalidOperation, Exception)
HOST_EXCEPTION(EOutOfResources, Exception)
HOST_EXCEPTION(EInvalidGraphic, Exception)
HOST_EXCEPTION(EResNotFound, Exception)
HOST_EXCEPTION(EStreamError, Exception)
HOST_EXCEPTION(EFilerError, EStreamError)
HOST_EXCEPTION(EReadError, EFilerError)
HOST_EXCEPTION(EWriteError, EFilerError)
HOST_EXCEPTION(EFOpenError, EStreamError)
HOST_EXCEPTION(EClassNotFound, EFilerError)
HOST_EXCEPTION(EThread, Exception)
HOST_EXCEPTION(ERegistryException, Exception)

#undef HOST_EXCEPTION

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Case-insensitive comparison of ASCII text: <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Strips blanks and control characters at both ends.
std::string Trim(std::string_view s);
std::string IntToStr(long long value);
// Throws EConvertError "'X' is not a valid integer value" when s is not one.
int32_t StrToInt(std::string_view s);

}  // namespace host

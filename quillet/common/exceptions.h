// The root of the mail core's exceptions. Messages are system texts (GBK bytes).
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A failed file call on one named file.
class EFileException : public Exception {
 public:
  enum class Kind { Open = 0, Create = 1, Delete = 2, Read = 3, Write = 4 };

  EFileException(Kind kind, const std::string& fileName);
  Kind FileErrorKind() const { return kind_; }
  const std::string& FileName() const { return fileName_; }
  static const char* KindText(Kind kind);

 private:
  Kind kind_;
  std::string fileName_;
};

#pragma once
// The program's typed errors. Each kind has a name ("EDigrexError") that
// becomes part of the error texts shown to the user, and carries a message.
#include <QString>
#include <exception>

class Exception : public std::exception {
 public:
  explicit Exception(QString message) : Message_(std::move(message)), Utf8_(Message_.toUtf8()) {}
  virtual QString KindName() const { return QStringLiteral("Exception"); }
  const QString& Message() const { return Message_; }
  const char* what() const noexcept override { return Utf8_.constData(); }

 private:
  QString Message_;
  QByteArray Utf8_;
};

// Declares an error kind whose KindName() is its class name.
#define DIGREX_DECLARE_ERROR(Name, Base)                                \
  class Name : public Base {                                            \
   public:                                                              \
    using Base::Base;                                                   \
    QString KindName() const override { return QStringLiteral(#Name); } \
  }

#pragma once
// The one error of the layout reader: a number and an Italian description.
//
// Numbers follow the classic runtime's file errors, so callers can pass them on unchanged:
// 70 means access to the file was refused; every other number means the file could not be used
// as a layout (missing, a folder, damaged, or of a version the reader does not take).

#include <QString>

#include <exception>
#include <string>

namespace lumetra::pub {

inline constexpr int ErrFileNonTrovato = 53;    // no such file
inline constexpr int ErrPermessoNegato = 70;    // access refused (EACCES)
inline constexpr int ErrPercorsoNonValido = 75; // a folder or something else that is no file
inline constexpr int ErrFormatoNonValido = 321; // not a layout, damaged, or unsupported version

class ReadError : public std::exception {
public:
    ReadError(int number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toStdString()) {
    }

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

} // namespace lumetra::pub

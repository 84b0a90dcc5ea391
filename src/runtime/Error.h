#pragma once
// The one error of every layer: a number from ErrorNumbers.h and an Italian description that can
// be shown to the user as it stands.

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

namespace lumetra::runtime {

class Error : public std::exception {
public:
    Error(std::int32_t number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toStdString()) {
    }
    std::int32_t Number() const noexcept { return number_; }
    const QString& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::int32_t number_;
    QString description_;
    std::string what_;
};

} // namespace lumetra::runtime

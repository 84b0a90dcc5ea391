#pragma once
// Readable gtest output for Qt strings.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& testo, std::ostream* os) {
    *os << '"' << testo.toStdString() << '"';
}

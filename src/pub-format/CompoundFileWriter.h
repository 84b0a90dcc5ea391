#pragma once
// A minimal writer of compound files (MS-CFB version 3: 512-byte sectors, streams under
// 4096 bytes in the mini stream), enough for layouts: files up to about 7 MB.

#include <QByteArray>
#include <QString>

#include <map>

namespace lumetra::pub {

class CompoundFileWriter {
public:
    // `path` names the stream with its storages, separated by '/' ("Escher/EscherStm").
    void addStream(const QString& path, QByteArray bytes);
    // Throws std::length_error for files beyond the size this writer can lay out.
    QByteArray build() const;

private:
    std::map<QString, QByteArray> streams_;
};

} // namespace lumetra::pub

#include "QuietOrcus.h"

#include <QByteArray>
#include <QtGlobal>

#include <iostream>

namespace lumetra::catalogue {
namespace {

std::mutex orcusInUse;

// Takes every character and keeps none.
class Nowhere : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char_type*, std::streamsize n) override { return n; }
};

Nowhere nowhere;

} // namespace

QuietOrcus::QuietOrcus()
    : lock_(orcusInUse), out_(std::cout.rdbuf(&nowhere)), err_(std::cerr.rdbuf(&nowhere)),
      log_(std::clog.rdbuf(&nowhere)) {
    static const bool singleThreaded = qputenv("ORCUS_ODS_USE_THREADS", QByteArrayLiteral("0"));
    Q_UNUSED(singleThreaded);
}

QuietOrcus::~QuietOrcus() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
    std::clog.rdbuf(log_);
}

} // namespace lumetra::catalogue

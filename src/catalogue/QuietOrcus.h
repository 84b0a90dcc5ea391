#pragma once
// liborcus at work, one reading at a time and silent. It writes warnings and, for some damaged
// files, whole messages on std::cout and std::cerr, which must not reach the user's terminal;
// and it reads ODS on a second thread, where some errors of a damaged file end the process,
// unless told to read on the caller's. Held around every call into liborcus.

#include <mutex>
#include <streambuf>

namespace lumetra::catalogue {

class QuietOrcus {
public:
    QuietOrcus();
    ~QuietOrcus();
    QuietOrcus(const QuietOrcus&) = delete;
    QuietOrcus& operator=(const QuietOrcus&) = delete;

private:
    std::unique_lock<std::mutex> lock_;
    std::streambuf* out_;
    std::streambuf* err_;
    std::streambuf* log_;
};

} // namespace lumetra::catalogue

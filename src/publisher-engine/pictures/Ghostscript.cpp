#include "Ghostscript.h"

#include "Length.h"
#include "LibraryDiagnostics.h"

#include <ghostscript/gdevdsp.h>
#include <ghostscript/iapi.h>
#include <ghostscript/ierrors.h>

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumetra::pictures {

namespace {

// Ghostscript's instances share global state: one renders at a time, whichever thread asks
// (each in a child process of its own, see isolated()).
std::mutex ghostscriptMutex;

// What Ghostscript reads as its standard input (the program) and what its display device
// hands over (the first page); what it writes to its standard output and error goes to the
// diagnostics.
struct Exchange {
    QByteArrayView input;
    qsizetype read = 0;
    // The display device's raster, between its "size" and "close" calls.
    const uchar* raster = nullptr;
    int width = 0, height = 0, stride = 0;
    QImage page;
};

int readInput(void* handle, char* buffer, int length) {
    auto* exchange = static_cast<Exchange*>(handle);
    const qsizetype count = std::min<qsizetype>(length, exchange->input.size() - exchange->read);
    std::copy_n(exchange->input.data() + exchange->read, count, buffer);
    exchange->read += count;
    return static_cast<int>(count);
}

int dropOutput(void*, const char* text, int length) {
    diagnostic("Ghostscript", QString::fromLocal8Bit(text, length));
    return length;
}

// 8-bit RGB with an unused fourth byte, blue first, top row first: QImage's RGB32.
constexpr unsigned DisplayFormat = unsigned(DISPLAY_COLORS_RGB) | unsigned(DISPLAY_ALPHA_NONE) |
                                   unsigned(DISPLAY_UNUSED_LAST) | unsigned(DISPLAY_DEPTH_8) |
                                   unsigned(DISPLAY_LITTLEENDIAN) | unsigned(DISPLAY_TOPFIRST);

int displayNothing(void*, void*) {
    return 0;
}

int displayPresize(void*, void*, int, int, int, unsigned int format) {
    return format == DisplayFormat ? 0 : gs_error_rangecheck;
}

int displaySize(void* handle, void*, int width, int height, int raster, unsigned int,
                unsigned char* image) {
    auto* exchange = static_cast<Exchange*>(handle);
    exchange->raster = image;
    exchange->width = width;
    exchange->height = height;
    exchange->stride = raster;
    return 0;
}

int displayPage(void* handle, void*, int, int) {
    auto* exchange = static_cast<Exchange*>(handle);
    if (exchange->page.isNull() && exchange->raster && exchange->width > 0 &&
        exchange->height > 0) {
        exchange->page = QImage(exchange->raster, exchange->width, exchange->height,
                                exchange->stride, QImage::Format_RGB32)
                             .copy();
    }
    return 0;
}

int displayClose(void* handle, void*) {
    static_cast<Exchange*>(handle)->raster = nullptr;
    return 0;
}

display_callback displayCallback() {
    display_callback callback{};
    callback.size = sizeof(display_callback);
    callback.version_major = DISPLAY_VERSION_MAJOR;
    callback.version_minor = DISPLAY_VERSION_MINOR;
    callback.display_open = displayNothing;
    callback.display_preclose = displayNothing;
    callback.display_close = displayClose;
    callback.display_presize = displayPresize;
    callback.display_size = displaySize;
    callback.display_sync = displayNothing;
    callback.display_page = displayPage;
    return callback;
}

// Answers the display device asking for its callbacks.
int callout(void*, void* handle, const char* device, int id, int size, void* data) {
    if (!device || std::strcmp(device, "display") != 0 || id != DISPLAY_CALLOUT_GET_CALLBACK ||
        size < int(sizeof(gs_display_get_callback_t))) {
        return -1;
    }
    static display_callback callback = displayCallback();
    auto* answer = static_cast<gs_display_get_callback_t*>(data);
    answer->callback = &callback;
    answer->caller_handle = handle;
    return 0;
}

class Instance {
public:
    Instance() {
        if (gsapi_new_instance(&m_instance, nullptr) < 0) {
            m_instance = nullptr;
        }
    }
    ~Instance() {
        if (m_instance) {
            if (m_initialised) {
                gsapi_exit(m_instance);
            }
            gsapi_delete_instance(m_instance);
        }
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // Runs Ghostscript with `arguments` over `exchange`; true when it ended without an error.
    bool run(const QList<QByteArray>& arguments, Exchange& exchange) {
        if (!m_instance) {
            return false;
        }
        gsapi_set_stdio_with_handle(m_instance, readInput, dropOutput, dropOutput, &exchange);
        gsapi_register_callout(m_instance, callout, &exchange);
        gsapi_set_arg_encoding(m_instance, GS_ARG_ENCODING_UTF8);
        QList<char*> argv;
        for (const QByteArray& argument : arguments) {
            argv.append(const_cast<char*>(argument.constData()));
        }
        m_initialised = true;
        const int code = gsapi_init_with_args(m_instance, int(argv.size()), argv.data());
        return code == 0 || code == gs_error_Quit;
    }

private:
    void* m_instance = nullptr;
    bool m_initialised = false;
};

// A PostScript program may loop for ever, and Ghostscript offers no way to stop it from within:
// each rendering runs in a child process with a limit on its processor time and on the wall
// clock, and hands its page back through shared memory. A program that runs too long or crashes
// Ghostscript costs its picture, never the program.
constexpr int RenderSeconds = 20;

struct SharedPage {
    int width = 0;
    int height = 0;
};

template <typename Render> QImage isolated(QSize pixels, Render&& render) {
    const qint64 side = 16 + qint64(1.1 * std::max(pixels.width(), pixels.height()));
    const std::size_t capacity = sizeof(SharedPage) + std::size_t(side * side * 4);
    void* memory =
        ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return {};
    }
    auto* shared = static_cast<SharedPage*>(memory);
    auto* pixelsOut = reinterpret_cast<uchar*>(shared + 1);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit cpu{RenderSeconds, RenderSeconds + 1};
        ::setrlimit(RLIMIT_CPU, &cpu);
        const QImage page = render().convertToFormat(QImage::Format_RGB32);
        if (!page.isNull() && qint64(page.width()) * page.height() <= side * side) {
            for (int y = 0; y < page.height(); ++y) {
                std::memcpy(pixelsOut + std::size_t(y) * page.width() * 4, page.constScanLine(y),
                            std::size_t(page.width()) * 4);
            }
            shared->width = page.width();
            shared->height = page.height();
        }
        ::_exit(0);
    }
    QImage result;
    if (child > 0) {
        int status = 0;
        bool ended = false;
        for (int waited = 0; waited < RenderSeconds * 2 * 200 && !ended; ++waited) {
            const pid_t done = ::waitpid(child, &status, WNOHANG);
            ended = done == child || (done < 0 && errno != EINTR);
            if (!ended) {
                ::usleep(5000);
            }
        }
        if (!ended) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && shared->width > 0 &&
                   shared->height > 0) {
            result = QImage(pixelsOut, shared->width, shared->height, shared->width * 4,
                            QImage::Format_RGB32)
                         .copy();
        }
    }
    ::munmap(memory, capacity);
    return result;
}

QByteArray number(double value) {
    return QByteArray::number(value, 'f', 4);
}

} // namespace

QImage renderEps(QByteArrayView postScript, QSizeF points, QSize pixels) {
    if (points.isEmpty() || pixels.isEmpty()) {
        return {};
    }
    const double xDpi = runtime::PointsPerInch * pixels.width() / points.width();
    const double yDpi = runtime::PointsPerInch * pixels.height() / points.height();
    const QList<QByteArray> arguments{
        "gs",
        "-q",
        "-dSAFER",
        "-dBATCH",
        "-dNOPAUSE",
        "-dNOPROMPT",
        "-dEPSCrop",
        "-dTextAlphaBits=4",
        "-dGraphicsAlphaBits=4",
        "-sDEVICE=display",
        "-dDisplayFormat=" + QByteArray::number(DisplayFormat),
        "-r" + number(xDpi) + "x" + number(yDpi),
        "-", // the program, from standard input
    };
    const std::lock_guard lock(ghostscriptMutex);
    return isolated(pixels, [&] {
        Exchange exchange;
        exchange.input = postScript;
        Instance instance;
        // Only the first page: an EPS has one.
        return instance.run(arguments, exchange) ? exchange.page : QImage();
    });
}

} // namespace lumetra::pictures

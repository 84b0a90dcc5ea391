#include "modSubClass.h"

#include "objMinMaxInfo.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace lumetra::geometry {

namespace {

// What the window had before the limits were installed: its own client-area limits.
struct SavedWindow {
    QPointer<QWidget> window;
    QSize minimum;
    QSize maximum;
};
SavedWindow saved;

QSize frameExtra(const QWidget* window) {
    if (!window->isWindow() || !window->testAttribute(Qt::WA_WState_Created)) {
        return QSize(0, 0);
    }
    const QSize extra = window->frameGeometry().size() - window->geometry().size();
    return QSize(std::max(0, extra.width()), std::max(0, extra.height()));
}

void applyTo(QWidget* window) {
    const QSize frame = frameExtra(window);
    MINMAXINFO info;
    info.ptMinTrackSize =
        QPoint(saved.minimum.width() + frame.width(), saved.minimum.height() + frame.height());
    const auto outerMax = [](int client, int extra) {
        return client >= QWIDGETSIZE_MAX - extra ? QWIDGETSIZE_MAX : client + extra;
    };
    info.ptMaxTrackSize = QPoint(outerMax(saved.maximum.width(), frame.width()),
                                 outerMax(saved.maximum.height(), frame.height()));
    ProceduraFinestra(info);
    const auto clientOf = [](int outer, int extra) {
        return outer >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : std::max(0, outer - extra);
    };
    const QSize minimum(clientOf(info.ptMinTrackSize.x(), frame.width()),
                        clientOf(info.ptMinTrackSize.y(), frame.height()));
    const QSize maximum(clientOf(info.ptMaxTrackSize.x(), frame.width()),
                        clientOf(info.ptMaxTrackSize.y(), frame.height()));
    if (window->minimumSize() != minimum) {
        window->setMinimumSize(minimum);
    }
    if (window->maximumSize() != maximum) {
        window->setMaximumSize(maximum);
    }
}

// Re-applies the limits whenever the frame the window system reports may have changed.
class LimitsFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            if (watched == saved.window) {
                applyTo(saved.window);
            }
            break;
        default:
            break;
        }
        return false;
    }
};

LimitsFilter* filter = nullptr;

} // namespace

void ProceduraFinestra(MINMAXINFO& info) {
    if (objMinMaxInfo::MinWidth() >= 0) {
        info.ptMinTrackSize.setX(objMinMaxInfo::MinWidth());
    }
    if (objMinMaxInfo::MinHeight() >= 0) {
        info.ptMinTrackSize.setY(objMinMaxInfo::MinHeight());
    }
    if (objMinMaxInfo::MaxWidth() >= 0) {
        info.ptMaxTrackSize.setX(objMinMaxInfo::MaxWidth());
    }
    if (objMinMaxInfo::MaxHeight() >= 0) {
        info.ptMaxTrackSize.setY(objMinMaxInfo::MaxHeight());
    }
}

void AttivaSottoclasse(QWidget* window) {
    if (window == nullptr || saved.window != nullptr) {
        return; // one window at a time; the saved state is never overwritten
    }
    saved = SavedWindow{window, window->minimumSize(), window->maximumSize()};
    filter = new LimitsFilter(window);
    window->installEventFilter(filter);
    applyTo(window);
}

void DisattivaSottoclasse(QWidget* window) {
    if (window == nullptr || saved.window != window) {
        return;
    }
    window->removeEventFilter(filter);
    delete filter;
    filter = nullptr;
    window->setMinimumSize(saved.minimum);
    window->setMaximumSize(saved.maximum);
    saved = SavedWindow{};
}

void AggiornaLimiti() {
    if (saved.window != nullptr) {
        applyTo(saved.window);
    }
}

} // namespace lumetra::geometry

#include "OutputJob.h"

#include "EngineDocument.h"

#include "PublisherApi.h"

#include <QMetaObject>

#include <system_error>

namespace lumetra::preview {

using engine::EngineDocument;
using engine::OutputCancelled;
using engine::OutputControl;
using engine::OutputRequest;

OutputJob::OutputJob(std::shared_ptr<EngineDocument> document, OutputRequest request,
                     QObject* parent)
    : QObject(parent), document_(std::move(document)), request_(std::move(request)),
      control_(std::make_shared<OutputControl>()) {
    // Called on the job's thread: the window hears of it on its own (the job object outlives
    // the thread, so the calls posted to it stay valid; unhandled ones go with it).
    control_->progress = [this](int done, int total) {
        QMetaObject::invokeMethod(
            this,
            [this, done, total] {
                if (!silenced_) {
                    emit progressed(done, total);
                }
            },
            Qt::QueuedConnection);
    };
    request_.control = control_;
}

OutputJob::~OutputJob() {
    cancelAndWait();
}

void OutputJob::start() {
    if (!started_) {
        started_ = true;
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) { // no thread to be had: told as a failure
            QMetaObject::invokeMethod(
                this, [this] { end(Outcome::Failed, 0, QString()); }, Qt::QueuedConnection);
        }
    }
}

void OutputJob::cancel() {
    control_->cancelled = true;
}

void OutputJob::cancelAndWait() {
    cancel();
    silenced_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void OutputJob::run() {
    // Only the document, the request and the control are used here; the outcome goes to the
    // job's own thread, which reads it after finished().
    Outcome outcome = Outcome::Done;
    int number = 0;
    QString text;
    try {
        document_->output(request_);
    } catch (const OutputCancelled&) {
        outcome = Outcome::Cancelled;
    } catch (const Publisher::Error& error) {
        outcome = Outcome::Failed;
        number = error.Number();
        text = error.Description();
    } catch (...) {
        outcome = Outcome::Failed; // out of memory and the like: the window names the file
    }
    QMetaObject::invokeMethod(
        this, [this, outcome, number, text] { end(outcome, number, text); }, Qt::QueuedConnection);
}

void OutputJob::end(Outcome outcome, int number, const QString& text) {
    outcome_ = outcome;
    errorNumber_ = number;
    errorText_ = text;
    if (thread_.joinable()) {
        thread_.join(); // it has posted this call as its last act
    }
    if (!silenced_) {
        emit finished();
    }
}

} // namespace lumetra::preview

#pragma once
// One output of a document (a PDF file or a print job) produced on a thread of its own, so that
// the window it was started from stays responsive. The job holds the document while it runs and
// reports its progress and its end on the thread that made it. Cancelling stops the output
// between two pages with nothing written or sent; destroying the job cancels it and waits.

#include "DocumentOutput.h"

#include <QObject>
#include <QString>

#include <memory>
#include <thread>

namespace lumetra::engine {
class EngineDocument;
} // namespace lumetra::engine

namespace lumetra::preview {

class OutputJob final : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Done, Cancelled, Failed };

    OutputJob(std::shared_ptr<engine::EngineDocument> document, engine::OutputRequest request,
              QObject* parent = nullptr);
    ~OutputJob() override;

    const engine::OutputRequest& request() const { return request_; }
    void start();
    // Asks the output to stop at the next page; finished() follows.
    void cancel();
    // Cancels and returns once the thread has ended (finished() is not sent any more).
    void cancelAndWait();

    // Known once finished() was sent (before: Cancelled). A failure carries the engine's error
    // number and its Italian description; an error that is no engine error has number 0.
    Outcome outcome() const { return outcome_; }
    int errorNumber() const { return errorNumber_; }
    const QString& errorText() const { return errorText_; }

signals:
    void progressed(int done, int total);
    void finished();

private:
    void run();
    void end(Outcome outcome, int number, const QString& text);

    std::shared_ptr<engine::EngineDocument> document_;
    engine::OutputRequest request_;
    std::shared_ptr<engine::OutputControl> control_;
    std::thread thread_;
    bool silenced_ = false; // waited for: no finished() any more
    bool started_ = false;
    Outcome outcome_ = Outcome::Cancelled;
    int errorNumber_ = 0;
    QString errorText_;
};

} // namespace lumetra::preview

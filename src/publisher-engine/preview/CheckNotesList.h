#pragma once
// The check's findings beside the pages of the preview window: the job's summary first, then the
// notes grouped under the Italian headings the check gives them. The notes about a place of a
// page are numbered as their marks on the page are; choosing a note shows its page.

#include "NoteMark.h"

#include "PublisherApi.h"

#include <QListWidget>
#include <QString>

#include <vector>

namespace lumetra::preview {

class CheckNotesList final : public QListWidget {
    Q_OBJECT
public:
    CheckNotesList(const QString& summary, const std::vector<Publisher::CheckNote>& notes,
                   QWidget* parent = nullptr);

    // The numbered places, for marking them on the pages.
    const std::vector<NoteMark>& marks() const { return marks_; }

signals:
    void pageChosen(int page); // from 1

private:
    void addHeading(const QString& text, int count);
    void addNote(const Publisher::CheckNote& note);

    std::vector<NoteMark> marks_;
};

} // namespace lumetra::preview

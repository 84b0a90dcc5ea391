#pragma once
// The label sheets known to the layout maker: those of the gLabels template database (Debian's
// glabels-data), read once when needed.
//
// The database is looked for in libglabels-3.0/templates under the system's data folders
// (/usr/share, /usr/local/share, ~/.local/share); LUMETRA_ETICHETTE names another folder instead.
// Without it the catalogue is empty and problem() says, in Italian, what to install.

#include "LabelSheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra::layoutwriter {

class LabelCatalogue {
public:
    // The folders searched, in order: the one in LUMETRA_ETICHETTE when set, else the data
    // folders'.
    static QStringList searchFolders();
    // The sheets of the first searched folder that holds templates.
    static LabelCatalogue load();
    // The sheets of one folder's *-templates.xml files (and its paper-sizes.xml).
    static LabelCatalogue loadFolder(const QString& folder);

    // Sorted by brand, then by part (numbers in part names in numeric order). Two templates of
    // the same name: the first read is kept.
    const std::vector<LabelSheet>& sheets() const { return sheets_; }
    bool isEmpty() const { return sheets_.empty(); }
    // The folder read; empty when none was found.
    const QString& folder() const { return folder_; }
    // Why there are no sheets (Italian), or the empty text.
    const QString& problem() const { return problem_; }
    // Templates left out because a value was missing or impossible.
    int skipped() const { return skipped_; }

    // The sheet with that name ("Avery L7163"), regardless of case and spaces; nullptr if none.
    const LabelSheet* find(const QString& name) const;
    // The sheets whose name, description or paper contain every word of `filter` (regardless of
    // case); all sheets for an empty filter.
    std::vector<const LabelSheet*> matching(const QString& filter) const;

private:
    std::vector<LabelSheet> sheets_;
    QString folder_;
    QString problem_;
    int skipped_ = 0;
};

} // namespace lumetra::layoutwriter

#include "CheckNotesList.h"

#include <QStringList>

#include <algorithm>

namespace lumetra::preview {

namespace {

constexpr int PageRole = Qt::UserRole;

QListWidgetItem* passiveItem(const QString& text) {
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled); // shown, never chosen
    return item;
}

} // namespace

CheckNotesList::CheckNotesList(const QString& summary,
                               const std::vector<Publisher::CheckNote>& notes, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(QStringLiteral("lstControllo"));
    setWordWrap(true);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::SingleSelection);
    if (!summary.isEmpty()) {
        addItem(passiveItem(summary));
    }
    // Grouped under their headings, the groups in the order they first come, each group in the
    // order the check reported its notes.
    const QString other = QStringLiteral("Altre segnalazioni");
    const auto headingOf = [&](const Publisher::CheckNote& note) {
        return note.Heading.isEmpty() ? other : note.Heading;
    };
    QStringList headings;
    for (const auto& note : notes) {
        if (!headings.contains(headingOf(note))) {
            headings.append(headingOf(note));
        }
    }
    for (const QString& heading : headings) {
        const auto under = [&](const Publisher::CheckNote& note) {
            return headingOf(note) == heading;
        };
        addHeading(heading, static_cast<int>(std::count_if(notes.begin(), notes.end(), under)));
        for (const auto& note : notes) {
            if (under(note)) {
                addNote(note);
            }
        }
    }

    const auto choose = [this](QListWidgetItem* item) {
        if (item && item->data(PageRole).toInt() > 0) {
            emit pageChosen(item->data(PageRole).toInt());
        }
    };
    connect(this, &QListWidget::currentItemChanged, this, choose);
    connect(this, &QListWidget::itemClicked, this, choose);
}

void CheckNotesList::addHeading(const QString& text, int count) {
    QListWidgetItem* item =
        passiveItem(QStringLiteral("%1 (%2)").arg(text, QString::number(count)));
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
    addItem(item);
}

void CheckNotesList::addNote(const Publisher::CheckNote& note) {
    QString text = note.Text;
    if (note.Page > 0) {
        text = QStringLiteral("Pagina %1: %2").arg(QString::number(note.Page), note.Text);
        if (!note.Box.isEmpty()) {
            const int number = static_cast<int>(marks_.size()) + 1;
            marks_.push_back(NoteMark{note.Page, note.Box, number});
            text = QStringLiteral("%1. %2").arg(QString::number(number), text);
        }
    }
    auto* item = new QListWidgetItem(text);
    item->setToolTip(note.Text);
    item->setData(PageRole, note.Page);
    addItem(item);
}

} // namespace lumetra::preview

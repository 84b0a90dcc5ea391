#include "CheckNotesList.h"

#include <algorithm>
#include <iterator>

namespace lumetra::preview {

namespace {

constexpr int PageRole = Qt::UserRole;

struct KindHeading {
    const char* kind;
    const char* heading;
};

// The kinds the check reports, in the order they are listed.
constexpr KindHeading Headings[] = {
    {"danneggiata", "Immagini danneggiate o incomplete"},
    {"risoluzione", "Risoluzione insufficiente"},
    {"deformata", "Immagini deformate"},
    {"duplicato", "Codici articolo ripetuti"},
    {"didascalia", "Didascalie"},
    {"pagina", "Rettangoli fuori dalla pagina"},
};

bool knownKind(const QString& kind) {
    return std::any_of(std::begin(Headings), std::end(Headings),
                       [&](const KindHeading& h) { return kind == QLatin1String(h.kind); });
}

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
    // Grouped by kind, each group in the order the check reported its notes.
    const auto addGroup = [&](const QString& heading, const auto& belongs) {
        std::vector<const Publisher::CheckNote*> group;
        for (const auto& note : notes) {
            if (belongs(note.Kind)) {
                group.push_back(&note);
            }
        }
        if (group.empty()) {
            return;
        }
        addHeading(heading, static_cast<int>(group.size()));
        for (const auto* note : group) {
            addNote(*note);
        }
    };
    for (const KindHeading& h : Headings) {
        addGroup(QString::fromUtf8(h.heading),
                 [&](const QString& kind) { return kind == QLatin1String(h.kind); });
    }
    addGroup(QStringLiteral("Altre segnalazioni"),
             [](const QString& kind) { return !knownKind(kind); });

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

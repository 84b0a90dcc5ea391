// Sorting the lists by a click on their "Nome" header: the list's own order changes (and so the
// order in which the composition places the queued pictures), the moves go on walking positions
// as before, and the header shows an order only while the list stands in it.

#include "PublisherFinto.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace lumetra;
using testsupport::WindowTest;

namespace {

// The folder's photos, listed by the folder scan in case-insensitive name order.
const QStringList Photos = {"ART-10.jpg", "art-2.jpg", "ART-1.jpg", "ART-02.jpg", "Art-3.JPG"};

struct Sorting {
    const char* name;
    int clicksOnFiles;    // header clicks on lvwFile before "Marca tutto" and "Seleziona >>"
    int clicksOnQueue;    // header clicks on lvwSelezionati afterwards
    const char* composed; // the pictures in the order the composition places them, by spaces
};

class SortTest : public WindowTest {
protected:
    void clickHeader(const char* list, int times = 1) {
        QHeaderView* header = control<QTreeView>(list)->header();
        const QPoint name(header->sectionViewportPosition(0) + 4, header->height() / 2);
        for (int i = 0; i < times; ++i) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        }
    }

    // The header's arrow: "" none, "^" ascending, "v" descending.
    std::string arrow(const char* list) {
        QHeaderView* header = control<QTreeView>(list)->header();
        if (header->sortIndicatorSection() != 0) {
            return "";
        }
        return header->sortIndicatorOrder() == Qt::AscendingOrder ? "^" : "v";
    }
};

class HeaderSortTest : public SortTest, public ::testing::WithParamInterface<Sorting> {
protected:
    void SetUp() override {
        // One page of twelve rectangles: every picture on page 1, in placing order.
        std::vector<fake::FormaFinta> rettangoli;
        for (int i = 0; i < 12; ++i) {
            rettangoli.push_back(
                fake::Rettangolo(20 + (i % 3) * 180, 20 + (i / 3) * 190, 150, 150));
        }
        publisher.ImpostaLayout({rettangoli});
        creaPublisher = publisher.Fabbrica();
        WindowTest::SetUp();
        window->show();
    }

    fake::PublisherFinto publisher;
};

TEST_P(HeaderSortTest, TheCompositionPlacesTheQueueInItsListOrder) {
    const Sorting& row = GetParam();
    const QString folder = folderWith(Photos);
    const QString layout = folderWith({"catalogo.pub"}) + QStringLiteral("/catalogo.pub");
    dialogs->openAnswers.push_back(layout);
    window->cmdLayout_Click();
    chooseFolder(folder);
    EXPECT_EQ(arrow("lvwFile"), "") << "no order until the header is clicked";

    clickHeader("lvwFile", row.clicksOnFiles);
    EXPECT_EQ(arrow("lvwFile"), std::string(row.clicksOnFiles == 0       ? ""
                                            : row.clicksOnFiles % 2 == 1 ? "^"
                                                                         : "v"));
    window->mnuFileSelezionaTutto_Click();
    QTest::mouseClick(control<QPushButton>("cmdSeleziona"), Qt::LeftButton);
    clickHeader("lvwSelezionati", row.clicksOnQueue);
    control<QCheckBox>("chkAnteprima")->setChecked(true);
    QTest::mouseClick(control<QPushButton>("cmdStampa"), Qt::LeftButton);

    EXPECT_TRUE(messages->shown.empty());
    ASSERT_EQ(publisher.NumeroPagine(), 1);
    QStringList composed;
    for (const fake::FormaFinta& shape : publisher.Forme(1)) {
        if (!shape.immagine.isEmpty())
            composed << QFileInfo(shape.immagine).fileName();
    }
    EXPECT_EQ(composed, QString::fromLatin1(row.composed).split(QLatin1Char(' ')));
    EXPECT_EQ(texts(window->lvwStampatiModel()).size(), Photos.size());
}

const Sorting Sortings[] = {
    // The scan's order, queued last first: the order of today without a click.
    {"NoClick", 0, 0, "Art-3.JPG art-2.jpg ART-10.jpg ART-1.jpg ART-02.jpg"},
    // Numbers by value, letters regardless of case; fewer leading zeros first.
    {"QueueAscending", 0, 1, "ART-1.jpg art-2.jpg ART-02.jpg Art-3.JPG ART-10.jpg"},
    {"QueueDescending", 0, 2, "ART-10.jpg Art-3.JPG ART-02.jpg art-2.jpg ART-1.jpg"},
    // The folder list sorted, then queued: the move still walks it from its last entry.
    {"FilesAscending", 1, 0, "ART-10.jpg Art-3.JPG ART-02.jpg art-2.jpg ART-1.jpg"},
    {"FilesDescending", 2, 0, "ART-1.jpg art-2.jpg ART-02.jpg Art-3.JPG ART-10.jpg"},
};

INSTANTIATE_TEST_SUITE_P(Lists, HeaderSortTest, ::testing::ValuesIn(Sortings),
                         [](const auto& test) { return std::string(test.param.name); });

// Sorting moves entries with their marks and highlights; entries added later go last, and the
// header's arrow goes once they break the order.
TEST_F(SortTest, SortingKeepsMarksAndHighlightsAndNewEntriesGoLast) {
    window->show();
    chooseFolder(folderWith({"b10.jpg", "B9.jpg", "a.jpg", "c1.jpg"}));
    auto* files = window->lvwFileModel();
    auto* list = control<QTreeView>("lvwFile");
    const QStringList scanned = texts(files);
    files->SetChecked(static_cast<int>(scanned.indexOf("b10.jpg")), true);
    list->selectionModel()->select(files->index(static_cast<int>(scanned.indexOf("B9.jpg")), 0),
                                   QItemSelectionModel::Select);
    list->selectionModel()->setCurrentIndex(
        files->index(static_cast<int>(scanned.indexOf("a.jpg")), 0), QItemSelectionModel::NoUpdate);

    clickHeader("lvwFile");
    EXPECT_EQ(texts(files), QStringList({"a.jpg", "B9.jpg", "b10.jpg", "c1.jpg"}));
    EXPECT_EQ(marks(files), QList<bool>({false, false, true, false}));
    const QModelIndexList highlighted = list->selectionModel()->selectedRows();
    ASSERT_EQ(highlighted.size(), 1);
    EXPECT_EQ(highlighted[0].row(), 1);
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_EQ(arrow("lvwFile"), "^");

    // In order still: the arrow stays. Out of order: it goes, and the entry stays last.
    files->Add(QStringLiteral("d.jpg"));
    EXPECT_EQ(arrow("lvwFile"), "^");
    files->Add(QStringLiteral("a0.jpg"));
    EXPECT_EQ(texts(files).last(), QStringLiteral("a0.jpg"));
    EXPECT_EQ(arrow("lvwFile"), "");
}

} // namespace

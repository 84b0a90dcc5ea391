// The folder scan, the moves between the three lists, marking and the choices of layout and
// folder, driven through the window's controls (the font's, through the real dialog, FontDialog).

#include "FileListView.h"
#include "FileNames.h"
#include "MousePointer.h"
#include "Unprivileged.h"
#include "WindowTestSupport.h"
#include "modGenerale.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumetra;

using Lists = testsupport::WindowTest;

TEST_F(Lists, ScanListsImageNamesByTheExtensionText) {
    const QString folder = folderWith({"a.JPG", "b.txt", "c", "d.jp", "e.tif", "f.tiff", "x.jpg/",
                                       "g.", "h.Tiff", "foto.pdf", "i.jpeg.bak", "k.pc", "m.HEIC",
                                       "n.webp", "o.avif", "p.jxl", "q.heif", "r.hei", "s.webpx"});
    chooseFolder(folder);
    EXPECT_EQ(control<QLineEdit>("txtIndirizzo")->text(), folder);
    // "g." has an empty extension, which always occurs; "c", "jp" and "pc" are fragments.
    // The phone and web formats are matched whole: "hei" and "webpx" are not pictures.
    EXPECT_EQ(texts(window->lvwFileModel()),
              QStringList({"a.JPG", "c", "d.jp", "e.tif", "f.tiff", "g.", "h.Tiff", "k.pc",
                           "m.HEIC", "n.webp", "o.avif", "p.jxl", "q.heif"}));
    EXPECT_EQ(marks(window->lvwFileModel()), QList<bool>(13, false));
    EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
    EXPECT_TRUE(messages->shown.empty());
    ASSERT_EQ(dialogs->folderRequests.size(), 1u);

    // The next choice starts from the current folder.
    chooseFolder(folder);
    EXPECT_EQ(dialogs->folderRequests[1].first, folder);
    EXPECT_EQ(control<mainwindow::FileListView>("lvwFile")->emptyText(), QString());

    // A folder without pictures says so in the empty list, until an entry comes back to it.
    chooseFolder(folderWith({"b.txt", "foto.pdf"}));
    EXPECT_EQ(control<mainwindow::FileListView>("lvwFile")->emptyText(),
              QStringLiteral("Nessuna immagine nella cartella: 2 file di altro tipo."));
    EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
    EXPECT_TRUE(messages->shown.empty());
}

// Moves walk the list from its last entry; the entries that stay keep their highlight and the
// current row.
TEST_F(Lists, MovesGoInReverseOrderAndArriveUnmarked) {
    chooseFolder(folderWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"}));
    auto* files = window->lvwFileModel();
    auto* queue = window->lvwSelezionatiModel();
    auto* printed = window->lvwStampatiModel();
    auto* list = control<QTreeView>("lvwFile");
    files->CheckRows({1, 3, 5});
    list->selectionModel()->select(files->index(2, 0), QItemSelectionModel::Select);
    list->selectionModel()->select(files->index(4, 0), QItemSelectionModel::Select);
    list->selectionModel()->setCurrentIndex(files->index(4, 0), QItemSelectionModel::NoUpdate);
    QTest::mouseClick(control<QPushButton>("cmdSeleziona"), Qt::LeftButton);
    EXPECT_EQ(texts(files), QStringList({"a.jpg", "c.jpg", "e.jpg"}));
    EXPECT_EQ(texts(queue), QStringList({"f.jpg", "d.jpg", "b.jpg"}));
    EXPECT_EQ(marks(queue), QList<bool>({false, false, false}));
    EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
    QStringList highlighted;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
        highlighted << index.data().toString();
    }
    highlighted.sort();
    EXPECT_EQ(highlighted, QStringList({"c.jpg", "e.jpg"}));
    EXPECT_EQ(list->currentIndex().data().toString(), QStringLiteral("e.jpg"));

    files->SetAllChecked(true);
    window->SelezionaMarcati();
    EXPECT_EQ(texts(queue), QStringList({"f.jpg", "d.jpg", "b.jpg", "e.jpg", "c.jpg", "a.jpg"}));
    EXPECT_EQ(files->Count(), 0);

    // Back: the marked entries of the queue, last first, added at the end of the folder list.
    queue->CheckRows({0, 2});
    QTest::mouseClick(control<QPushButton>("cmdRimuovi"), Qt::LeftButton);
    EXPECT_EQ(texts(files), QStringList({"b.jpg", "f.jpg"}));
    EXPECT_EQ(texts(queue), QStringList({"d.jpg", "e.jpg", "c.jpg", "a.jpg"}));

    // Filing as printed: every entry, marked or not, after the ones already there.
    printed->Add(QStringLiteral("x.jpg"));
    queue->SetChecked(1, true);
    window->SpostaStampati();
    EXPECT_EQ(texts(printed), QStringList({"x.jpg", "a.jpg", "c.jpg", "e.jpg", "d.jpg"}));
    EXPECT_EQ(queue->Count(), 0);

    // Nothing marked: nothing moves.
    window->SelezionaMarcati();
    window->RimuoviMarcati();
    EXPECT_EQ(texts(files), QStringList({"b.jpg", "f.jpg"}));
}

TEST_F(Lists, MarkingByButtonsAndPopUpMenu) {
    window->show();
    chooseFolder(folderWith({"a.jpg", "b.jpg", "c.jpg"}));
    auto* files = window->lvwFileModel();
    auto* list = control<QTreeView>("lvwFile");

    QTest::mouseClick(control<QPushButton>("cmdMarca"), Qt::LeftButton);
    EXPECT_EQ(marks(files), QList<bool>({false, false, false})); // nothing highlighted

    files->SetChecked(1, true);
    list->selectionModel()->select(files->index(0, 0), QItemSelectionModel::Select);
    list->selectionModel()->select(files->index(2, 0), QItemSelectionModel::Select);
    QTest::mouseClick(control<QPushButton>("cmdMarca"), Qt::LeftButton);
    EXPECT_EQ(marks(files), QList<bool>({true, true, true}));

    // The pop-up menu: three commands and a separator without text (a separator with text shows
    // it as a heading).
    auto* menu = control<QMenu>("mnuPopFile");
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[1]->text().isEmpty());
    const QPoint inside = list->viewport()->rect().center();
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, inside);
    EXPECT_FALSE(menu->isVisible());
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, inside);
    EXPECT_TRUE(menu->isVisible());
    items[2]->trigger();
    menu->hide();
    EXPECT_EQ(marks(files), QList<bool>({false, false, false}));
    items[3]->trigger();
    EXPECT_EQ(marks(files), QList<bool>({true, true, true}));

    // Over an empty list the menu still opens; its commands change nothing.
    window->CaricaCartella(folderWith({}));
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, inside);
    EXPECT_TRUE(menu->isVisible());
    items[3]->trigger();
    menu->hide();
    EXPECT_EQ(files->Count(), 0);
}

TEST_F(Lists, ANewScanEmptiesTheQueueAndACancelledPickerKeepsIt) {
    const QString folder = folderWith({"a.jpg", "b.jpg"});
    chooseFolder(folder);
    window->lvwFileModel()->SetChecked(0, true);
    window->SelezionaMarcati();
    window->lvwStampatiModel()->Add(QStringLiteral("x.jpg"));

    dialogs->folderAnswers.push_back(QString()); // cancel
    window->cmdIndirizzo_Click();
    EXPECT_EQ(texts(window->lvwSelezionatiModel()), QStringList({"a.jpg"}));
    EXPECT_EQ(texts(window->lvwStampatiModel()), QStringList({"x.jpg"}));
    EXPECT_EQ(control<QLineEdit>("txtIndirizzo")->text(), folder);

    chooseFolder(folder); // the same folder again: a fresh scan
    EXPECT_EQ(texts(window->lvwFileModel()), QStringList({"a.jpg", "b.jpg"}));
    EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
    EXPECT_EQ(window->lvwStampatiModel()->Count(), 0);
}

TEST_F(Lists, BadFoldersGiveEmptyListsQuietly) {
    chooseFolder(folderWith({"a.jpg"}));
    chooseFolder(QStringLiteral("/non/esiste/proprio"));
    EXPECT_EQ(window->lvwFileModel()->Count(), 0);
    EXPECT_EQ(control<QLineEdit>("txtIndirizzo")->text(), QStringLiteral("/non/esiste/proprio"));

    // A folder that cannot be read.
    const QString locked = folderWith({"a.jpg"});
    ::chmod(QFile::encodeName(locked).constData(), 0);
    {
        const lumetra::testsupport::Unprivileged unprivileged;
        chooseFolder(locked);
        if (unprivileged.enforced()) {
            EXPECT_EQ(window->lvwFileModel()->Count(), 0);
        }
    }
    ::chmod(QFile::encodeName(locked).constData(), 0700);

    // A file chosen where a folder is expected.
    chooseFolder(locked + QStringLiteral("/a.jpg"));
    EXPECT_EQ(window->lvwFileModel()->Count(), 0);

    // A folder that vanishes during the scan.
    hooked->beforeListing = [](const QString& path) { QDir(path).removeRecursively(); };
    chooseFolder(folderWith({"a.jpg", "b.jpg"}));
    EXPECT_EQ(window->lvwFileModel()->Count(), 0);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
}

// Listed in name order regardless of case (upper case first between equals; an accented letter
// after every plain one), and found again, even a name that is not UTF-8.
TEST_F(Lists, OddNamesAreListedInOrderAndFoundAgain) {
    const QString folder =
        folderWith(QStringList({"con spazio.jpg", "perché.jpg", "l'arancia.png", "ÀBC.JPG",
                                "tab\tname.gif", "b.jpg", "a.jpg", "A.jpg", "città.jpg"}));
    const QByteArray raw = QFile::encodeName(folder) + "/rotto\xc3\x28.jpg";
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    chooseFolder(folder);
    const QStringList listed = texts(window->lvwFileModel());
    EXPECT_EQ(listed, QStringList({"A.jpg", "a.jpg", "b.jpg", "città.jpg", "con spazio.jpg",
                                   "l'arancia.png", "perché.jpg",
                                   runtime::fromNativeName("rotto\xc3\x28.jpg"), "tab\tname.gif",
                                   "ÀBC.JPG"}));
    for (const QString& name : listed) {
        EXPECT_TRUE(modGenerale::objFileSystem->FileExists(folder + QLatin1Char('/') + name))
            << name.toStdString();
    }
    ::unlink(raw.constData()); // Qt cannot name it to remove it with the folder
}

TEST_F(Lists, LayoutChoiceTakesOnlyPublisherNames) {
    const std::pair<std::optional<QString>, const char*> choices[] = {
        {"/tmp/CATALOGO.PUB", "/tmp/CATALOGO.PUB"}, // the extension in any case
        {"/tmp/catalogo.pub", "/tmp/catalogo.pub"},
        {"/tmp/layout.doc", "/tmp/catalogo.pub"}, // ignored
        {std::nullopt, "/tmp/catalogo.pub"},      // cancelled
        {"/tmp/etichette", "/tmp/etichette.pub"}, // default extension
    };
    for (const auto& [answer, shown] : choices) {
        dialogs->openAnswers.push_back(answer);
        QTest::mouseClick(control<QPushButton>("cmdLayout"), Qt::LeftButton);
        EXPECT_EQ(control<QLineEdit>("txtLayout")->text(), QString::fromLatin1(shown))
            << answer.value_or(QString()).toStdString();
    }
    EXPECT_TRUE(messages->shown.empty());

    ASSERT_EQ(dialogs->openRequests.size(), 5u);
    const auto& request = dialogs->openRequests[2];
    EXPECT_EQ(request.title, QStringLiteral("Apri layout"));
    EXPECT_EQ(request.filter, QStringLiteral("Publisher (*.pub)"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("pub"));
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(request.fileName.isEmpty()); // no name proposed, even after a choice
}

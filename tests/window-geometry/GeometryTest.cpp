// The pane layouts and the folder picker's result; the window's layout and size limits are checked
// on the real window.

#include "PaneLayout.h"
#include "PlatformDoubles.h"
#include "modBrowseForFolder.h"

#include <gtest/gtest.h>

using namespace lumetra;
using geometry::PaneControls;

// A pane laid out on the real window; one too small neither fails nor clamps the buttons.
TEST(PaneLayout, TooSmallPanesNeitherFailNorClampButtons) {
    const QSizeF button(1095, 375);
    PaneControls pane;
    pane.label = QRectF(0, 0, 1, 255);
    pane.leftButton = pane.rightButton = QRectF(QPointF(), button);
    const PaneControls narrow = geometry::PaneLayout(QSizeF(1000, 3900), button, 240, pane);
    EXPECT_EQ(narrow.rightButton->left(), -155);
    const PaneControls crushed = geometry::PaneLayout(QSizeF(100, 300), button, 240, pane);
    EXPECT_EQ(crushed.list.height(), 0);
    EXPECT_EQ(crushed.firstColumnWidth, 0);
}

TEST(FolderPicker, TrimsOneTrailingSeparatorButKeepsTheRoot) {
    doubles::ScriptedDialogHost host;
    const QString title =
        QStringLiteral("Selezionare la cartella contenente le immagini da stampare");
    host.folderAnswers = {QStringLiteral("/srv/Immagini/Catalogo"),
                          QStringLiteral("/srv/Immagini/"), QStringLiteral("/"), QString()};
    EXPECT_EQ(geometry::SfogliaCartella(host, QStringLiteral("/srv/x/"), title),
              QStringLiteral("/srv/Immagini/Catalogo"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QString(), title), QStringLiteral("/srv/Immagini"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QString(), title), QStringLiteral("/"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QStringLiteral("/srv"), title), QString());
    ASSERT_EQ(host.folderRequests.size(), 4u);
    EXPECT_EQ(host.folderRequests[0].first, QStringLiteral("/srv/x/")); // handed over as given
    EXPECT_EQ(host.folderRequests[1].first, QStringLiteral("/"));       // empty: the root
    EXPECT_EQ(host.folderRequests[0].second, title);
}

// The catalogue window, a saved job opened again and the warning about captions that do not fit,
// driven through the window's controls.

#include "FinestraCatalogo.h"
#include "LayoutPlan.h"
#include "UpDown.h"
#include "WindowTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace lumetra;

namespace {

class Job : public testsupport::WindowTest {
protected:
    // Every setting the window shows, as "name=value" lines, the queue last.
    QStringList state() const {
        QStringList lines;
        for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
            if (!field->objectName().isEmpty()) {
                lines << field->objectName() + QLatin1Char('=') + field->text();
            }
        }
        for (QComboBox* combo : window->findChildren<QComboBox*>()) {
            lines << combo->objectName() + QLatin1Char('=') + combo->currentText();
        }
        lines.sort();
        const platform::CommonDialog* font = window->dlgFont();
        lines << QStringLiteral("font=%1 %2").arg(font->FontName).arg(font->FontBold);
        return lines << texts(window->lvwSelezionatiModel());
    }
    void queue(const QStringList& names) {
        for (int row = 0; row < window->lvwFileModel()->Count(); ++row) {
            window->lvwFileModel()->SetChecked(row,
                                               names.contains(window->lvwFileModel()->Text(row)));
        }
        window->SelezionaMarcati();
    }
};

} // namespace

TEST_F(Job, ASavedJobOpensWithEveryControlAndTheQueueInOrder) {
    const QString folder = folderWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "catalogo.pub"});
    QFile list(folder + QStringLiteral("/listino.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Articolo;Descrizione;Prezzo;EAN\nc;Vaso;12.5;4006381333931\n");
    list.close();
    dialogs->openAnswers = {folder + QStringLiteral("/catalogo.pub"),
                            folder + QStringLiteral("/listino.csv")};
    window->cmdLayout_Click();
    window->frmCatalogo()->cmdListino_Click();
    // The list's columns, its code column shown as the key.
    EXPECT_EQ(control<QComboBox>("cmbColonnaBarre")->count(), 4);
    EXPECT_EQ(control<QComboBox>("cmbChiave")->currentText(), QStringLiteral("Articolo"));
    chooseFolder(folder);
    queue({"c.jpg"});
    queue({"a.jpg", "b.jpg"});
    control<QLineEdit>("txtTestoEsterno")->setText(QStringLiteral("{codice}\\n{Prezzo}"));
    control<QLineEdit>("txtTestoInterno")->setText(QStringLiteral("{Descrizione}"));
    control<QComboBox>("cmbBarre")->setCurrentIndex(2);
    control<QComboBox>("cmbColonnaBarre")->setCurrentText(QStringLiteral("EAN"));
    control<QComboBox>("cmbPosizioneBarre")->setCurrentIndex(0);
    control<QLineEdit>("txtAltezzaBarre")->setText(QStringLiteral("2"));
    control<QComboBox>("cmbCodiceArticoloEsterno")->setCurrentIndex(2);
    control<QComboBox>("cmbCodiceArticoloInterno")->setCurrentIndex(1);
    control<QComboBox>("cmbAdattamento")->setCurrentIndex(1);
    control<platform::UpDown>("updwnCopie")->setValue(3);
    control<QLineEdit>("txtAltezzaCodiceArticolo")->setText(QStringLiteral("0,9"));
    window->dlgFont()->FontName = QStringLiteral("Arial");
    window->dlgFont()->FontBold = true;
    const QStringList saved = state();
    EXPECT_EQ(saved.mid(saved.size() - 3), QStringList({"c.jpg", "b.jpg", "a.jpg"}));
    // A list that cannot be read is named in a message and changes nothing.
    dialogs->openAnswers = {folder + QStringLiteral("/manca.csv")};
    window->frmCatalogo()->cmdListino_Click();
    EXPECT_EQ(state(), saved);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_TRUE(messages->shown[0].prompt.contains(QStringLiteral("manca.csv")));

    // Saved under the name typed, with the job's extension; the same name again is asked about.
    dialogs->openAnswers = {folder + QStringLiteral("/lavoro"), folder + QStringLiteral("/lavoro")};
    window->cmdSalvaLavoro_Click();
    ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/lavoro.lumetra")));
    EXPECT_TRUE(dialogs->openRequests.back().save);
    messages->answer(runtime::vbCancel);
    window->cmdSalvaLavoro_Click();
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_TRUE(messages->shown[1].prompt.contains(QStringLiteral("esiste già")));

    // A window as it opens takes the job back; a picture gone since is named and left out.
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/b.jpg")));
    window.reset();
    SetUp();
    dialogs->openAnswers = {folder + QStringLiteral("/lavoro.lumetra")};
    window->cmdApriLavoro_Click();
    QStringList expected = saved;
    expected.removeAll(QStringLiteral("b.jpg"));
    EXPECT_EQ(state(), expected);
    EXPECT_EQ(texts(window->lvwFileModel()), QStringList{QStringLiteral("d.jpg")});
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_TRUE(messages->shown[0].prompt.endsWith(QStringLiteral(":\n    b.jpg")))
        << messages->shown[0].prompt.toStdString();
}

// Two rectangles 0,5 cm apart, one above the other, the upper one 10 points (0,35 cm) below the
// page's top edge: the warning on the status line follows the captions and the barcode.
TEST_F(Job, TheStatusLineWarnsWhileCaptionsAreTallerThanTheGap) {
    const double gap = 0.5 * 72 / 2.54;
    layoutwriter::LayoutPlan plan;
    plan.pageWidth = 595;
    plan.pageHeight = 842;
    plan.rectangles = {{50, 10, 200, 200}, {50, 210 + gap, 200, 200}};
    const QString layout = folderWith({}) + QStringLiteral("/griglia.pub");
    ASSERT_TRUE(layoutwriter::writeLayout(plan, layout, runtime::Replace::Never).written());
    dialogs->openAnswers = {layout};
    window->cmdLayout_Click();
    const struct {
        int external; // 1 above, 2 below
        const char* height;
        const char* model;
        int barcode; // 0 none, 1 Code 128
        int barcodeSide;
        const char* status;
    } rows[] = {
        {2, "0,7", "{codice}\\n{codice}", 0, 1,
         "Attenzione: le didascalie (1,4 cm) sono più alte dello spazio tra i rettangoli (0,5 cm)"},
        {2, "0,4", "{codice}", 0, 1, "Pronto"},
        {1, "0,7", "{codice}", 1, 0,
         "Attenzione: le didascalie e il codice a barre (2,2 cm) sono più alti dello spazio fino "
         "al bordo della pagina (0,35 cm)"},
        {0, "0,7", "{codice}", 1, 1,
         "Attenzione: il codice a barre (1,5 cm) è più alto dello spazio tra i rettangoli (0,5 "
         "cm)"},
    };
    for (const auto& row : rows) {
        control<QComboBox>("cmbCodiceArticoloEsterno")->setCurrentIndex(row.external);
        control<QLineEdit>("txtAltezzaCodiceArticolo")->setText(QString::fromUtf8(row.height));
        control<QLineEdit>("txtTestoEsterno")->setText(QString::fromUtf8(row.model));
        control<QComboBox>("cmbBarre")->setCurrentIndex(row.barcode);
        control<QComboBox>("cmbPosizioneBarre")->setCurrentIndex(row.barcodeSide);
        EXPECT_EQ(control<QLabel>("lblInformazioni")->text().toStdString(), row.status);
    }
}

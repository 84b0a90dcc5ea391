// The print command in the real window: validation messages in their order, drops from the queue,
// the lists after each ending, "Pronto" and the pointer, with a recording fake of the engine.

#include "AltezzaCodice.h"
#include "MousePointer.h"
#include "PublisherFinto.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumetra;

namespace {

const QString M1 = QStringLiteral("L'altezza del codice articolo non è valida");
const QString M2 =
    QStringLiteral("L'altezza del codice articolo deve essere compresa tra 0,3 e 9,0 centimetri");
const QString M4 =
    QStringLiteral("Per eseguire l'operazione di stampa è necessario specificare almeno un file");

QString M3(const QString& layout) {
    return QStringLiteral("Impossibile trovare il file di layout specificato: '") + layout +
           QLatin1Char('\'');
}

class PrintCommandTest : public testsupport::WindowTest {
protected:
    void SetUp() override {
        // A layout of one page with two picture rectangles.
        publisher.ImpostaLayout(
            {{fake::Rettangolo(20, 20, 200, 150), fake::Rettangolo(240, 20, 200, 150)}});
        creaPublisher = publisher.Fabbrica();
        WindowTest::SetUp();
        messages->onShow = [this](const doubles::ScriptedMessageBox::Shown&) {
            statusWhileShown.push_back(control<QLabel>("lblInformazioni")->text());
            pointerWhileShown.push_back(platform::Screen::MousePointer());
        };
        folder = folderWith({});
        layoutPath = folderWith({QStringLiteral("catalogo.pub")}) + QStringLiteral("/catalogo.pub");
    }

    void chooseLayout(const QString& path) {
        dialogs->openAnswers.push_back(path);
        window->cmdLayout_Click();
    }
    // Chooses the layout, scans the folder holding the given pictures and queues them in this
    // order.
    void queue(const QStringList& names) {
        chooseLayout(layoutPath);
        for (const QString& name : names) {
            QFile file(folder + QLatin1Char('/') + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        chooseFolder(folder);
        // The queue receives the marked entries last first: mark them and move them one by one.
        for (const QString& name : names) {
            auto* files = window->lvwFileModel();
            files->SetChecked(static_cast<int>(files->Texts().indexOf(name)), true);
            window->SelezionaMarcati();
        }
        ASSERT_EQ(window->lvwSelezionatiModel()->Texts(), names);
    }
    // The question about a queued picture that is not there.
    QString M5(const char* name) const {
        return QStringLiteral("Impossibile trovare il file immagine specificato: '") + folder +
               QLatin1Char('/') + QLatin1String(name) +
               QStringLiteral("'. Prememere 'Ok' per ignorare il file e proseguire, 'Annulla' "
                              "per terminare l'operazione");
    }
    void print() { QTest::mouseClick(control<QPushButton>("cmdStampa"), Qt::LeftButton); }
    QStringList prompts() const {
        QStringList result;
        for (const auto& shown : messages->shown) {
            result << shown.prompt;
        }
        return result;
    }
    void expectIdle() const {
        EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
        EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
        EXPECT_FALSE(window->lavoroInCorso());
    }
    int calls(const char* pattern) const {
        return publisher.Registro().Conta(QString::fromLatin1(pattern));
    }

    fake::PublisherFinto publisher;
    QString folder;
    QString layoutPath;
    QStringList statusWhileShown;
    std::vector<int> pointerWhileShown;
};

} // namespace

TEST(AltezzaCodice, ReadsCommaAndPointTheSameOnEveryMachine) {
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral("0,3")), 0.3);
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral("9,0")), 9.0);
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral("0.7")), 0.7);
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral(",5")), 0.5);
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral("1,")), 1.0);
    EXPECT_EQ(printjob::ConvertiAltezza(QStringLiteral(" 2 ")), 2.0);
    for (const char* bad : {"", "abc", "1,2,", ",", "1e1", "0x1", "1.2.", "--1", "1 2"}) {
        EXPECT_FALSE(printjob::ConvertiAltezza(QString::fromLatin1(bad)).has_value()) << bad;
    }
}

// Valid heights pass on to the layout check (no layout chosen).
TEST_F(PrintCommandTest, HeightIsCheckedFirstWithinItsLimits) {
    const std::pair<const char*, QString> cases[] = {{"0,2", M2},
                                                     {"9,1", M2},
                                                     {"", M1},
                                                     {"abc", M1},
                                                     {"-1", M2},
                                                     {"0,3", M3(QString())},
                                                     {"9,0", M3(QString())},
                                                     {"0.5", M3(QString())}};
    for (const auto& [height, expected] : cases) {
        messages->shown.clear();
        control<QLineEdit>("txtAltezzaCodiceArticolo")->setText(QString::fromUtf8(height));
        print();
        ASSERT_EQ(prompts(), QStringList{expected}) << height;
        EXPECT_EQ(messages->shown[0].style, 48) << height;
        EXPECT_EQ(messages->shown[0].title, QStringLiteral("Lumetra"));
        expectIdle();
    }
    // While the box was up, the status said what was going on and the pointer was busy.
    EXPECT_EQ(statusWhileShown.front(), QStringLiteral("Convalida impostazioni in corso..."));
    EXPECT_EQ(pointerWhileShown.front(), lumetra::runtime::vbArrowHourglass);
    EXPECT_EQ(calls("^CreateObject"), 0);
}

// No layout at all ends in two apostrophes (the height rows above).
TEST_F(PrintCommandTest, LayoutMustBeAnExistingFile) {
    const QString sub =
        folderWith({QStringLiteral("cartella.pub/")}) + QStringLiteral("/cartella.pub");
    chooseLayout(sub);
    print();
    EXPECT_EQ(prompts(), QStringList{M3(sub)});

    chooseLayout(layoutPath);
    messages->shown.clear();
    print();
    EXPECT_EQ(prompts(), QStringList{M4});
    EXPECT_EQ(messages->shown[0].style, 64);
    EXPECT_EQ(calls("^CreateObject"), 0);
    expectIdle();
}

TEST_F(PrintCommandTest, MissingPicturesAreAskedAboutLastFirst) {
    queue({"a.jpg", "b.jpg", "c.jpg"});
    QFile::remove(folder + QStringLiteral("/b.jpg"));
    QFile::remove(folder + QStringLiteral("/c.jpg"));

    messages->answer(lumetra::runtime::vbOK);
    messages->answer(lumetra::runtime::vbCancel);
    print();
    EXPECT_EQ(prompts(), (QStringList{M5("c.jpg"), M5("b.jpg")}));
    EXPECT_EQ(messages->shown[0].style, 49);
    EXPECT_EQ(window->lvwSelezionatiModel()->Texts(), (QStringList{"a.jpg", "b.jpg"}));
    EXPECT_EQ(window->lvwStampatiModel()->Count(), 0); // dropped entries go nowhere
    EXPECT_EQ(calls("^CreateObject"), 0);
    expectIdle();

    // OK to the remaining question: the composition runs with [a] and files it as printed.
    messages->shown.clear();
    messages->answer(lumetra::runtime::vbOK);
    print();
    EXPECT_EQ(prompts(), QStringList{M5("b.jpg")});
    EXPECT_EQ(calls("^Document\\.PrintOut"), 1);
    EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
    EXPECT_EQ(window->lvwStampatiModel()->Texts(), QStringList{"a.jpg"});
    expectIdle();

    // Every picture dropped: the composition has nothing to print and nothing is filed.
    queue({"a.jpg", "b.jpg"});
    QFile::remove(folder + QStringLiteral("/a.jpg"));
    QFile::remove(folder + QStringLiteral("/b.jpg"));
    messages->shown.clear();
    print(); // OK to both questions (the default answer)
    EXPECT_EQ(prompts(), (QStringList{M5("b.jpg"), M5("a.jpg"),
                                      "Nessuna immagine è stata inserita nel documento: non ci "
                                      "sono pagine da stampare"}));
    EXPECT_EQ(calls("^Document\\.PrintOut"), 1);
    EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
    EXPECT_EQ(window->lvwStampatiModel()->Count(), 0);
    expectIdle();
}

TEST_F(PrintCommandTest, APrintedQueueIsFiledInReverseWithTheChosenCopies) {
    queue({"a.jpg", "b.jpg", "c.jpg"});
    window->lvwStampatiModel()->Add(QStringLiteral("x.jpg"));
    auto* updown = window->findChild<QWidget*>(QStringLiteral("updwnCopie"));
    ASSERT_NE(updown, nullptr);
    QTest::keyClick(updown, Qt::Key_Up);
    QTest::keyClick(updown, Qt::Key_Up);
    ASSERT_EQ(control<QLineEdit>("txtCopie")->text(), QStringLiteral("3"));

    print();
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(publisher.Registro().Righe(QStringLiteral("PrintOut")),
              QStringList{"Document.PrintOut(-1, -1, \"\", 3, True)"});
    EXPECT_EQ(window->lvwStampatiModel()->Texts(),
              (QStringList{"x.jpg", "c.jpg", "b.jpg", "a.jpg"}));
    EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
    EXPECT_EQ(calls("^Application\\.Quit"), 1);
    expectIdle();
}

// "Visualizza pagine" ticked shows the pages and files the queue; a grey tick prints.
TEST_F(PrintCommandTest, ATickedCheckBoxShowsPagesAndAGreyOnePrints) {
    queue({"a.jpg"});
    auto* check = window->findChild<QCheckBox*>(QStringLiteral("chkAnteprima"));
    check->setChecked(true);
    print();
    EXPECT_EQ(calls("PrintOut"), 0);
    EXPECT_EQ(calls("^Window\\.Visible = True$"), 1);
    EXPECT_EQ(calls("^Application\\.Quit"), 0);
    EXPECT_EQ(window->lvwStampatiModel()->Texts(), QStringList{"a.jpg"});
    expectIdle();

    queue({"a.jpg"});
    check->setTristate(true);
    check->setCheckState(Qt::PartiallyChecked);
    print();
    EXPECT_EQ(calls("PrintOut"), 1);
    EXPECT_EQ(calls("^Window\\.Visible"), 1);
}

// The layout error's message itself is the composition's (ErroriComposizioneTest).
TEST_F(PrintCommandTest, AFailedCompositionLeavesTheListsAlone) {
    queue({"a.jpg", "b.jpg"});
    publisher.Registro().FallisciSu(QStringLiteral("^Application.Open"), 70);
    print();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].style, 16);
    EXPECT_EQ(window->lvwSelezionatiModel()->Texts(), (QStringList{"a.jpg", "b.jpg"}));
    EXPECT_EQ(window->lvwStampatiModel()->Count(), 0);
    expectIdle();
}

// Shows the preview window on a composed 5-page document, for looking at it by eye (e.g. under
// Xvfb, with screenshots):
//
//   lumetra_engine_anteprima_demo [--passi | --stampa]
//
// The layout is a generated A4 .pub with 6 picture rectangles and a title; the pictures are
// generated photos with their article codes as captions (below, and inside on white at the top
// left). With --passi the window moves to page 3 and zooms in after 4 seconds, and shows the
// whole last page after 8; with --stampa it opens the print dialog after 2 seconds.

#include "EngineFactory.h"
#include "PreviewWindow.h"
#include "PubBuilder.h"
#include "TestImages.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

using namespace lumetra::engine;
namespace images = lumetra::testimages;

namespace {

void caption(const std::shared_ptr<Publisher::Shapes>& shapes,
             const std::shared_ptr<Publisher::Shape>& picture, const QString& code) {
    const double left = picture->Left().Number(), top = picture->Top().Number();
    const double width = picture->Width().Number(), height = picture->Height().Number();
    auto below = shapes->AddTextbox(1, left, top + height, width, "0,7 cm");
    below->TextFrame()->SetAutoFitText(2);
    below->TextFrame()->TextRange()->SetText(code);
    below->TextFrame()->TextRange()->ParagraphFormat()->SetAlignment(1);
    below->TextFrame()->TextRange()->Font()->SetName("Times New Roman");
    below->SetHeight(below->Height());

    auto inside = shapes->AddTextbox(1, left, top, width, "0,5 cm");
    auto frame = inside->TextFrame();
    frame->SetAutoFitText(2);
    frame->TextRange()->SetText(code);
    frame->TextRange()->ParagraphFormat()->SetAlignment(0);
    if (!frame->Overflowing()) {
        inside->SetWidth(1);
        inside->Fill()->ForeColor()->SetRGB(0xFFFFFF);
        frame->SetAutoFitText(0);
        do {
            inside->SetWidth(inside->Width().Number() + 1);
        } while (frame->Overflowing() && inside->Width().Number() < width);
        frame->SetAutoFitText(2);
    }
    frame->TextRange()->Font()->SetBold(true);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString option = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool steps = option == "--passi";
    QTranslator qtItalian; // Qt's own dialogs (print, save) in Italian
    if (qtItalian.load(QLocale(QLocale::Italian), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtItalian);
    }
    QTemporaryDir dir;

    lumetra::layoutwriter::PubBuilder builder;
    builder.pageSize(595.3, 841.9);
    auto& page = builder.addPage();
    page.addTextBox(40, 20, 515, 36, "Catalogo prodotti - primavera");
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 2; ++col) {
            page.addRectangle(60 + col * 250, 80 + row * 250, 220, 200);
        }
    }
    const QString layout = dir.filePath("catalogo-primavera.pub");
    builder.save(layout);

    const QColor colours[] = {QColor(200, 60, 50),  QColor(40, 120, 200), QColor(60, 160, 80),
                              QColor(230, 170, 40), QColor(130, 70, 170), QColor(30, 150, 150)};
    QStringList photos;
    for (int i = 0; i < 27; ++i) {
        QImage image = images::photoLikeImage(QSize(600, 450), i + 3);
        QPainter painter(&image);
        painter.setBrush(colours[i % 6]);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(150, 60, 300, 300));
        painter.end();
        photos << images::writeJpeg(dir.filePath(QStringLiteral("ART%1.jpg").arg(1000 + i)), image,
                                    90);
    }

    auto app = fabbricaApplicazione()();
    auto document = app->Open(layout, false, true, 3);
    auto pages = document->Pages();
    std::vector<int> slotList;
    auto template1 = pages->Item(1)->Shapes();
    for (int n = 1; n <= template1->Count(); ++n) {
        if (template1->Item(n)->Type() == 1 && template1->Item(n)->AutoShapeType() == 1) {
            slotList.push_back(n);
        }
    }
    std::size_t used = 0;
    auto working = pages->Add(1, pages->Count(), 1);
    for (const QString& photo : photos) {
        auto shapes = working->Shapes();
        auto slot = shapes->Item(slotList[used]);
        auto picture = shapes->AddPicture(photo, 0, -1, slot->Left(), slot->Top(), slot->Width(),
                                          slot->Height());
        caption(shapes, picture, QFileInfo(photo).completeBaseName());
        if (++used == slotList.size()) {
            for (auto it = slotList.rbegin(); it != slotList.rend(); ++it) {
                shapes->Item(*it)->Delete();
            }
            working = pages->Add(1, pages->Count(), 1);
            used = 0;
        }
    }
    for (auto it = slotList.rbegin(); it != slotList.rend(); ++it) {
        working->Shapes()->Item(*it)->Delete();
    }
    pages->Item(1)->Delete();
    std::printf("Pagine: %d\n", pages->Count());
    app->ActiveWindow()->SetVisible(true);
    app->Quit(); // the window keeps the engine until it is closed

    if (steps) {
        QTimer::singleShot(4000, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<PreviewWindow*>(widget)) {
                    preview->goToPage(3);
                    preview->zoomIn();
                    preview->zoomIn();
                }
            }
        });
        QTimer::singleShot(8000, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<PreviewWindow*>(widget)) {
                    preview->fitPage();
                    preview->goToPage(preview->pageCount());
                }
            }
        });
    }
    if (option == "--stampa") {
        QTimer::singleShot(2000, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<PreviewWindow*>(widget)) {
                    preview->printWithDialog();
                }
            }
        });
    }
    return application.exec();
}

#include "LayoutTestSupport.h"

#include "Layout.h"
#include "Measures.h"
#include "TestImages.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <gtest/gtest.h>

namespace lumetra::layouttest {

constexpr double Exact = 0.0001; // points; a written position is rounded to 1/12700 point

void expectSameRect(const QRectF& read, const QRectF& planned, const std::string& what,
                    double tolerance) {
    EXPECT_NEAR(read.left(), planned.left(), tolerance) << what;
    EXPECT_NEAR(read.top(), planned.top(), tolerance) << what;
    EXPECT_NEAR(read.width(), planned.width(), tolerance) << what;
    EXPECT_NEAR(read.height(), planned.height(), tolerance) << what;
}

QString installedTemplates() {
    const QString folder = QStringLiteral("/usr/share/libglabels-3.0/templates");
    return QFileInfo::exists(folder + QStringLiteral("/avery-iso-templates.xml")) ? folder
                                                                                  : QString();
}

void writeTemplateFixture(const QString& folder) {
    ASSERT_TRUE(QDir().mkpath(folder));
    testimages::writeBytes(QDir(folder).filePath(QStringLiteral("paper-sizes.xml")),
                           R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>
  <Paper-size id="A5" _name="A5" pwg_size="iso_a5" width="148mm" height="210mm"/>
</Glabels-paper-sizes>
)");
    testimages::writeBytes(QDir(folder).filePath(QStringLiteral("prova-templates.xml")),
                           R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Prova" part="Rett-mm" size="A4" _description="Rettangoli">
    <Meta category="label"/>
    <Label-rectangle id="0" width="80mm" height="40mm" round="2mm" x_waste="0mm" y_waste="0mm">
      <Markup-margin size="1mm"/>
      <Layout nx="2" ny="3" x0="15mm" y0="20mm" dx="90mm" dy="45mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Prova" part="Uguale" equiv="Rett-mm"/>
  <Template brand="Prova" part="Catena" equiv="Uguale"/>
  <Template brand="Prova" part="Tonde-in" size="US-Letter" description="Tonde">
    <Label-round id="0" radius="1in" waste="0pt">
      <Layout nx="3" ny="2" x0="0.5in" y0="1in" dx="2.5in" dy="3in"/>
    </Label-round>
  </Template>
  <Template brand="Prova" part="Sfalsate" size="Other" width="100mm" height="60mm">
    <Label-rectangle id="0" width="40mm" height="20mm">
      <Layout nx="2" ny="1" x0="5mm" y0="30mm" dx="50mm" dy="0mm"/>
      <Layout nx="1" ny="1" x0="30mm" y0="5mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Prova" part="CD" size="A5" _description="Dischi">
    <Label-cd id="0" radius="58mm" hole="20mm" width="116mm" height="80mm">
      <Layout nx="1" ny="1" x0="16mm" y0="10mm" dx="0" dy="0"/>
    </Label-cd>
  </Template>
  <Template brand="Prova" part="Ellisse" size="A4">
    <Label-ellipse id="0" width="60" height="30">
      <Layout nx="1" ny="2" x0="100" y0="200" dx="0" dy="50"/>
    </Label-ellipse>
  </Template>
  <Template brand="Prova" part="Punti" size="A4">
    <Label-rectangle id="0" width="2cm" height="36pt">
      <Layout nx="1" ny="1" x0="1cm" y0="0.5in" dx="0" dy="0"/>
    </Label-rectangle>
  </Template>
  <Template brand="Prova" part="Senza-Layout" size="A4">
    <Label-rectangle id="0" width="20mm" height="20mm"/>
  </Template>
  <Template brand="Prova" part="Carta-Ignota" size="Z9">
    <Label-rectangle id="0" width="20mm" height="20mm">
      <Layout nx="1" ny="1" x0="1mm" y0="1mm" dx="0" dy="0"/>
    </Label-rectangle>
  </Template>
  <Template brand="Prova" part="Orfana" equiv="Nessuna"/>
  <Template brand="Prova" part="Troppe" size="A4">
    <Label-rectangle id="0" width="1mm" height="1mm">
      <Layout nx="200" ny="100" x0="0" y0="0" dx="1mm" dy="1mm"/>
    </Label-rectangle>
  </Template>
</Glabels-templates>
)");
}

ReadLayout readLayout(const QString& path) {
    ReadLayout read;
    try {
        const pub::Layout layout = pub::Layout::readFile(path);
        read.pageWidth = layout.pageWidth();
        read.pageHeight = layout.pageHeight();
        const pub::Page& page = layout.pages().at(std::size_t(layout.firstPageIndex()));
        read.shapeCount = static_cast<int>(page.shapes.size());
        for (const int slot : layout.pictureSlots()) {
            const pub::Shape& s = page.shapes.at(std::size_t(slot - 1));
            read.pictureSlots.emplace_back(s.left, s.top, s.width, s.height);
        }
        for (const pub::Shape& s : page.shapes) {
            if (s.type == pub::TypeTextBox) {
                read.textBoxes.emplace_back(s.left, s.top, s.width, s.height);
            }
        }
    } catch (const lumetra::runtime::Error& e) {
        ADD_FAILURE() << "layout not read: " << path.toStdString() << ": "
                      << e.Description().toStdString();
    }
    return read;
}

void expectLayoutIsPlan(const ReadLayout& read, const layoutwriter::LayoutPlan& plan) {
    EXPECT_NEAR(read.pageWidth, plan.pageWidth, Exact);
    EXPECT_NEAR(read.pageHeight, plan.pageHeight, Exact);
    ASSERT_EQ(read.pictureSlots.size(), plan.rectangles.size());
    for (std::size_t i = 0; i < read.pictureSlots.size(); ++i) {
        expectSameRect(read.pictureSlots[i], plan.rectangles[i], "slot " + std::to_string(i + 1),
                       Exact);
    }
    const int titles = plan.title.isEmpty() ? 0 : 1;
    EXPECT_EQ(read.shapeCount, static_cast<int>(plan.rectangles.size()) + titles);
    ASSERT_EQ(read.textBoxes.size(), std::size_t(titles));
    if (titles == 1) {
        expectSameRect(read.textBoxes.front(), plan.titleBox, "title", Exact);
    }
}

QRectF mm(double left, double top, double width, double height) {
    using layoutwriter::mmToPoints;
    return QRectF(mmToPoints(left), mmToPoints(top), mmToPoints(width), mmToPoints(height));
}

} // namespace lumetra::layouttest

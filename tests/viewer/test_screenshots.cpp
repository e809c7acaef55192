// Pictures of the viewer window with real report documents, at 100 % and 50 %,
// for people to look at: QVC_TEST_OUTPUT_DIR/viewer/screenshots/*.png. The test
// checks what can be checked in the pixels: the page is drawn (white paper on
// the grey desk), the table shading and the chart colours are there.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include "ReportSample.h"
#include "ViewerTestSupport.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/frmReportViewer.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

int countColour(const QImage& image, QColor colour, int tolerance) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance) {
                ++n;
            }
        }
    }
    return n;
}

QImage shoot(frmReportViewer& w, const fs::path& file) {
    QApplication::processEvents();
    QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
    return image;
}

}  // namespace

TEST(ViewerScreenshots, SummaryAndCashFlowAt100And50Percent) {
    ui::Services::reset();
    ui::Services::setMessageBox(std::make_shared<ui::HeadlessMessageBox>());
    const fs::path out = test::freshViewerDir("screenshots");
    const fs::path work = test::freshViewerDir("screenshots-work");
    doc::DocumentObject docs;
    test::addLifeCycleSummary(docs, work.string());
    test::addCashFlowReport(docs, work.string());

    frmReportViewer w(nullptr);
    docs.AttachWindow(w.Toc1, 1);
    docs.ActivateDocument(1);
    w.SetDocument(docs);
    w.resize(1100, 1000);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    QImage summary100 = shoot(w, out / "summary-100.png");
    EXPECT_GT(countColour(summary100, Qt::white, 0), 100000);
    EXPECT_GT(countColour(summary100, QColor(192, 192, 192), 2), 2000);   // heading shading
    EXPECT_GT(countColour(summary100, QColor(130, 130, 255), 12), 1000);  // chart bars

    QWidget* zoomOut = w.tlbReport->widgetForAction(w.button(6));
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    ASSERT_EQ(w.zoom(), 50);
    QImage summary50 = shoot(w, out / "summary-50.png");
    EXPECT_GT(countColour(summary50, QColor(130, 130, 255), 12), 250);

    QTest::mouseClick(w.tlbReport->widgetForAction(w.button(4)), Qt::LeftButton);
    ASSERT_EQ(docs.activeIndex(), 2);
    ASSERT_EQ(w.zoom(), 100);
    // The wide table is on the second page; scroll to it.
    w.Toc1->verticalScrollBar()->setValue(static_cast<int>(612 * w.Toc1->scale()) + 16);
    QImage cash100 = shoot(w, out / "cashflow-100.png");
    EXPECT_GT(countColour(cash100, QColor(192, 192, 192), 2), 2000);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    w.Toc1->verticalScrollBar()->setValue(0);
    QImage cash50 = shoot(w, out / "cashflow-50.png");
    EXPECT_GT(countColour(cash50, QColor(151, 6, 46), 12), 100);  // the stacked bars

    w.close();
    ui::Services::reset();
    for (const char* name :
         {"summary-100.png", "summary-50.png", "cashflow-100.png", "cashflow-50.png"}) {
        EXPECT_TRUE(fs::exists(out / name)) << name;
    }
}

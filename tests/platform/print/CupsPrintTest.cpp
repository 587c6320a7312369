// Printing through a real print server: a private cupsd with a cups-pdf queue, reached by the
// Printer object as it reaches the user's printers.
#include "platform/print/Printer.h"
#include "platform/print/PrinterTarget.h"
#include "platform/units/Units.h"

#include "PdfTools.h"
#include "PrivateCups.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace print;

namespace {

class CupsPrinting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_cups)
            GTEST_SKIP() << "no private print server: " << m_cups.error().toStdString();
    }

    testing_support::PrivateCups m_cups;
};

TEST_F(CupsPrinting, APagePrintedByThePrinterObjectArrivesAsAPdf)
{
    PrinterTarget target;
    EXPECT_EQ(target.deviceName(), m_cups.queue());
    // A black box an inch square, an inch from the corner of the drawable area, and a line of text.
    target.line(1440, 1440, 2880, 2880, LineStyle::FilledBox);
    target.setCurrentX(1440);
    target.setCurrentY(4320);
    target.setFontName(QStringLiteral("Arial"));
    target.setFontSize(14);
    target.print(QStringLiteral("Printed through the queue"));
    target.endDoc();

    ASSERT_TRUE(m_cups.waitUntilIdle()) << m_cups.log().toStdString();
    const QStringList pdfs = m_cups.outputs();
    ASSERT_EQ(pdfs.size(), 1) << m_cups.log().toStdString();
    EXPECT_EQ(pdf_tools::pageCount(pdfs[0]), 1);

    // A US Letter page, the box where it was drawn: the drawable area starts at the printer's margins.
    const QImage page = pdf_tools::rasterise(pdfs[0], 100);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), QSize(850, 1100));
    const int offsetX = target.deviceCaps(DeviceCap::PhysicalOffsetX) * 100 / target.deviceCaps(DeviceCap::LogPixelsX);
    const int offsetY = target.deviceCaps(DeviceCap::PhysicalOffsetY) * 100 / target.deviceCaps(DeviceCap::LogPixelsY);
    EXPECT_LT(qGray(page.pixel(offsetX + 150, offsetY + 150)), 64) << "inside the box";
    EXPECT_GT(qGray(page.pixel(offsetX + 90, offsetY + 150)), 192) << "left of the box";
    EXPECT_GT(qGray(page.pixel(offsetX + 210, offsetY + 150)), 192) << "right of the box";
}

TEST_F(CupsPrinting, AnAbandonedDocumentLeavesNoOutput)
{
    PrinterTarget target;
    target.print(QStringLiteral("First page"));
    target.newPage();
    target.print(QStringLiteral("Second page, never finished"));
    target.killDoc();
    ASSERT_TRUE(m_cups.waitUntilIdle());
    EXPECT_TRUE(m_cups.outputs().isEmpty());

    // The queue is none the worse: the next document prints.
    target.line(1440, 1440, 2880, 2880, LineStyle::FilledBox);
    target.endDoc();
    ASSERT_TRUE(m_cups.waitUntilIdle());
    ASSERT_EQ(m_cups.outputs().size(), 1) << m_cups.log().toStdString();
    EXPECT_EQ(pdf_tools::pageCount(m_cups.outputs()[0]), 1);
}

} // namespace

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// The launchers name the PNG beside the executables; the SVG it is rendered from ships too.
TEST(ShippedIcon, BesideTheExecutablesAsAPictureAndItsDrawing)
{
    const QImage icon(QStringLiteral(VANTREL_BIN_DIR "/vantrel-viewer.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(256, 256));
    EXPECT_TRUE(icon.hasAlphaChannel());
    // Drawn, not blank: the clock face's dark ring crosses the middle row.
    EXPECT_LT(qGray(icon.pixel(24, 128)), 100);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);

    QFile drawing(QStringLiteral(VANTREL_BIN_DIR "/vantrel-viewer.svg"));
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&drawing);
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), QStringLiteral("svg"));
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
}

} // namespace

#include "saver/frmPreview.h"

#include "foundation/ProgramTexts.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// A miniature of the countdown window: title strip, picture, event caption and date, the
// time-left boxes and the status bar, in the countdown form's default colours.
QImage drawPreviewPicture()
{
    QImage picture(166, 130, QImage::Format_RGB888);
    picture.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient title(0, 0, 166, 0);
    title.setColorAt(0, QColor(0x0A, 0x24, 0x6A));
    title.setColorAt(1, QColor(0xA6, 0xCA, 0xF0));
    p.fillRect(0, 0, 166, 14, title);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(4, 0, 160, 14), Qt::AlignVCenter | Qt::AlignLeft, ProgramTexts::kProgramTitle);

    // The picture panel: a small landscape.
    const QRect image(6, 20, 52, 52);
    QLinearGradient sky(0, image.top(), 0, image.bottom());
    sky.setColorAt(0, QColor(0x5B, 0x9B, 0xD5));
    sky.setColorAt(1, QColor(0xDD, 0xEB, 0xF7));
    p.fillRect(image, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD2, 0x3F));
    p.drawEllipse(QPoint(44, 32), 6, 6);
    p.setBrush(QColor(0x3C, 0x8D, 0x2F));
    p.drawPolygon(QPolygon({QPoint(6, 72), QPoint(24, 48), QPoint(40, 72)}));
    p.setBrush(QColor(0x2E, 0x6B, 0x24));
    p.drawPolygon(QPolygon({QPoint(28, 72), QPoint(46, 54), QPoint(58, 72)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(image.adjusted(0, 0, -1, -1));

    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(0x80, 0x00, 0x00));
    p.drawText(QRect(62, 20, 100, 18), Qt::AlignCenter, QStringLiteral("New Year"));
    font.setBold(false);
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(62, 38, 100, 12), Qt::AlignCenter, QStringLiteral("1/1/2027 12:00:00 AM"));

    // Time-left boxes.
    const char* const boxes[] = {"21 Days", "7 Hours", "42 Minutes", "9 Seconds"};
    int top = 54;
    for (const char* text : boxes) {
        p.fillRect(QRect(62, top, 100, 12), QColor(0xF0, 0xF0, 0xF0));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(QRect(62, top, 99, 11));
        p.setPen(Qt::black);
        p.drawText(QRect(62, top, 100, 12), Qt::AlignCenter, QString::fromLatin1(text));
        top += 14;
    }

    // Status bar.
    p.fillRect(0, 116, 166, 14, QColor(0xC0, 0xC0, 0xC0));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(0, 116, 165, 116);
    p.drawLine(84, 118, 84, 128);
    p.setPen(Qt::black);
    p.drawText(QRect(4, 116, 78, 14), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Countdown"));
    p.drawText(QRect(88, 116, 74, 14), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("12:17 PM"));
    p.end();
    return picture;
}

} // namespace

QImage frmPreview::PreviewPicture()
{
    static const QImage picture = drawPreviewPicture();
    return picture;
}

frmPreview::frmPreview(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("preview"));
    setWindowFlag(Qt::FramelessWindowHint);
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(QPixmap::fromImage(PreviewPicture()));
    m_image1->setScaledContents(true);
    // The picture follows the window, which takes the size of the preview area.
    m_image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image1);
    resize(PreviewPicture().size());
}

// Builds the countdown packages that ship in the program folder's Templates folder: each one
// holds its data file, a picture drawn here, and the alarm sound. Every value is fixed (dates
// included), so two builds give the same packages.
//
//   make-templates <output folder> <alarm sound file>

#include "common/ReportingUi.h"
#include "countdown/CountdownDataWriter.h"
#include "countdown/CountdownDefaults.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "platform/FileSystem.h"
#include "platform/Regional.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QtMath>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// A colour number: red in the low byte.
int32_t rgb(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}

constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
constexpr int kJpegQuality = 90;
const QString kSoundName = QStringLiteral("Alarm.wav");
// Geometry in twips of the 800 by 600 pixel reference screen (15 twips a pixel): a window of
// 600 by 450 pixels in the middle of it.
constexpr float kWindowWidth = 9000;
constexpr float kWindowHeight = 6750;
constexpr float kWindowLeft = (12000 - kWindowWidth) / 2;
constexpr float kWindowTop = (9000 - kWindowHeight) / 2;
// The moment written as each data file's creation date.
const double kCreatedAt = vb::oleDateFromParts(2026, 12, 1, 12, 0, 0);

// Small fixed-seed generator, so the stars stand in the same places on every build.
class Scatter {
public:
    double next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<double>((m_state >> 8) & 0xFFFFFF) / 0x1000000;
    }

private:
    uint32_t m_state = 20300101u;
};

void drawBurst(QPainter& painter, QPointF centre, double radius, const QColor& colour)
{
    painter.save();
    QRadialGradient glow(centre, radius * 1.2);
    QColor inner = colour;
    inner.setAlpha(90);
    QColor outer = colour;
    outer.setAlpha(0);
    glow.setColorAt(0, inner);
    glow.setColorAt(1, outer);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 1.2, radius * 1.2);
    const int rays = 18;
    for (int i = 0; i < rays; ++i) {
        const double angle = 2 * M_PI * i / rays;
        const QPointF direction(qCos(angle), qSin(angle));
        const QPointF from = centre + direction * radius * 0.25;
        const QPointF to = centre + direction * radius;
        QLinearGradient trail(from, to);
        QColor faint = colour;
        faint.setAlpha(40);
        trail.setColorAt(0, faint);
        trail.setColorAt(1, colour);
        painter.setPen(QPen(QBrush(trail), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour.lighter(130));
        painter.drawEllipse(to, 1.8, 1.8);
    }
    painter.restore();
}

// The night colour at the picture's top and bottom edges, so that the panel around a picture
// that does not fill it looks like more of the same night.
const QColor kNight(10, 12, 30);

// A night sky over a dark skyline, with fireworks.
QImage drawNewYearPicture()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, kNight);
    sky.setColorAt(0.12, QColor(16, 20, 52));
    sky.setColorAt(0.65, QColor(44, 36, 92));
    sky.setColorAt(1.0, QColor(92, 58, 110));
    painter.fillRect(image.rect(), sky);

    Scatter scatter;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF at(scatter.next() * kPictureWidth, scatter.next() * kPictureHeight * 0.7);
        const double size = 0.4 + scatter.next() * 1.1;
        painter.setBrush(QColor(255, 255, 240, 120 + static_cast<int>(scatter.next() * 135)));
        painter.drawEllipse(at, size, size);
    }

    drawBurst(painter, {110, 90}, 52, QColor(255, 208, 96));
    drawBurst(painter, {285, 70}, 42, QColor(255, 120, 170));
    drawBurst(painter, {215, 150}, 30, QColor(130, 210, 255));

    // Skyline: a row of blocks of fixed heights, a few lit windows.
    const int heights[] = {46, 70, 54, 92, 62, 40, 78, 58, 100, 66, 48, 84, 56, 72, 44, 60};
    const int blocks = sizeof heights / sizeof heights[0];
    const double blockWidth = static_cast<double>(kPictureWidth) / blocks;
    for (int i = 0; i < blocks; ++i) {
        const QRectF block(i * blockWidth, kPictureHeight - heights[i], blockWidth + 0.5, heights[i]);
        painter.setBrush(kNight);
        painter.drawRect(block);
        painter.setBrush(QColor(255, 220, 130, 200));
        for (double y = block.top() + 8; y < kPictureHeight - 8; y += 12)
            for (double x = block.left() + 4; x + 4 < block.right(); x += 8)
                if (scatter.next() < 0.22)
                    painter.drawRect(QRectF(x, y, 3, 4));
    }
    return image;
}

// A calm day: soft sky, a low sun and rolling hills.
QImage drawCalmPicture()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, QColor(118, 170, 222));
    sky.setColorAt(0.6, QColor(196, 220, 240));
    sky.setColorAt(1.0, QColor(250, 226, 196));
    painter.fillRect(image.rect(), sky);

    const QPointF sunAt(290, 150);
    QRadialGradient sun(sunAt, 60);
    sun.setColorAt(0.0, QColor(255, 250, 220));
    sun.setColorAt(0.45, QColor(255, 236, 170));
    sun.setColorAt(1.0, QColor(255, 236, 170, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sun);
    painter.drawEllipse(sunAt, 60, 60);

    const struct {
        double base;
        double swell;
        double phase;
        QColor colour;
    } hills[] = {
        {210, 22, 0.6, QColor(120, 170, 130)},
        {238, 18, 2.1, QColor(84, 142, 98)},
        {262, 14, 4.0, QColor(56, 112, 74)},
    };
    for (const auto& hill : hills) {
        QPainterPath path(QPointF(0, kPictureHeight));
        for (int x = 0; x <= kPictureWidth; x += 4)
            path.lineTo(x, hill.base - hill.swell * qSin(hill.phase + x / 70.0));
        path.lineTo(kPictureWidth, kPictureHeight);
        path.closeSubpath();
        painter.setBrush(hill.colour);
        painter.drawPath(path);
    }
    return image;
}

// Values that both shipped countdowns share: a new countdown's, but for what is set here.
void setCommonValues(clsCountdown& c)
{
    CountdownDefaults::applyFixedNewCountdownValues(c);
    c.setCountdownId(1);
    c.setAlarmFileName(kSoundName);
    c.setCreationDate(kCreatedAt);
    c.setOptionIconVisible(false);
    c.setSaveFileName({});
    c.setEventCaptionFont(QStringLiteral("DejaVu Sans"));
    c.setEventDateFont(QStringLiteral("DejaVu Sans"));
    c.setTimerDateFont(QStringLiteral("DejaVu Sans"));
    c.setTop(kWindowTop);
    c.setLeft(kWindowLeft);
    c.setWidth(kWindowWidth);
    c.setHeight(kWindowHeight);
}

void setDemoValues(clsCountdown& c)
{
    setCommonValues(c);
    c.setCountdownName(QStringLiteral("New Year 2030"));
    c.setDescription(QStringLiteral("Counts down to the first second of the year 2030."));
    c.setEventCaption(QStringLiteral("New Year 2030"));
    c.setEventDate(vb::oleDateFromParts(2030, 1, 1, 0, 0, 0));
    c.setEventDateFormat(QStringLiteral("dddd, mmmm d, yyyy"));
    c.setCurrentTimeVisible(true);

    const int32_t night = rgb(20, 24, 60);
    const int32_t pictureEdge = rgb(kNight.red(), kNight.green(), kNight.blue());
    c.setBackgroundBackColor(night);
    c.setBackgroundForeColor(rgb(255, 214, 102));
    c.setEventImageBackColor(pictureEdge);
    c.setAdvertiserLogoBackColor(night);
    c.setEventCaptionBackColor(night);
    c.setEventCaptionForeColor(rgb(255, 214, 102));
    c.setEventCaptionFontsize(22);
    c.setEventCaptionFontBold(-1);
    c.setEventDateBackColor(night);
    c.setEventDateForeColor(rgb(206, 206, 240));
    c.setEventDateFontsize(9);
    c.setTimerDateBackColor(rgb(30, 36, 84));
    c.setTimerDateForeColor(rgb(255, 255, 255));
    c.setTimerDateFontsize(10);
    c.setTimerDateFontBold(-1);
}

void setDefaultValues(clsCountdown& c)
{
    setCommonValues(c);
    c.setCountdownName(QStringLiteral("My Event"));
    c.setDescription(QStringLiteral("A simple countdown to start from."));
    c.setEventCaption(QStringLiteral("My Event"));
    c.setEventDate(vb::oleDateFromParts(2029, 12, 31, 18, 0, 0));
    c.setEventDateFormat(QStringLiteral("mmmm d, yyyy h:nn AM/PM"));
    c.setViewFormat(3);

    const int32_t paper = rgb(246, 248, 252);
    c.setBackgroundBackColor(paper);
    c.setBackgroundForeColor(rgb(36, 56, 88));
    c.setEventImageBackColor(rgb(196, 220, 240));
    c.setAdvertiserLogoBackColor(paper);
    c.setEventCaptionBackColor(paper);
    c.setEventCaptionForeColor(rgb(36, 56, 88));
    c.setEventCaptionFontsize(18);
    c.setEventCaptionFontBold(-1);
    c.setEventDateBackColor(paper);
    c.setEventDateForeColor(rgb(84, 100, 128));
    c.setEventDateFontsize(9);
    c.setTimerDateBackColor(rgb(226, 236, 248));
    c.setTimerDateForeColor(rgb(30, 48, 80));
    c.setTimerDateFontsize(9);
}

struct Template {
    QString name; // package title: <name>.MVL holds <name>.MVK and <name>.jpg
    std::function<void(clsCountdown&)> setValues;
    std::function<QImage()> drawPicture;
};

void writeFile(const QString& nativePath, const QByteArray& bytes)
{
    platform::fs::writeAll(platform::fs::toInternal(nativePath), bytes);
}

QByteArray jpegBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        throw platform::VbError(platform::vberr::DeviceIO, platform::vbErrorDescription(platform::vberr::DeviceIO)
                                                               + QStringLiteral(": ") + writer.errorString());
    return bytes;
}

void buildTemplate(const Template& t, const QString& outputFolder, const QByteArray& sound, ReportingUi& ui)
{
    QTemporaryDir work;
    if (!work.isValid())
        throw platform::VbError(platform::vberr::PathFileAccess);
    const QString dataName = t.name + QStringLiteral(".MVK");
    const QString pictureName = t.name + QStringLiteral(".jpg");

    clsCountdown countdown;
    countdown.setDatabaseLocation(platform::fs::toInternal(work.path()));
    t.setValues(countdown);
    countdown.setCountdownFileName(dataName);
    countdown.setImageFileName(pictureName);

    const QByteArray data = CountdownDataWriter::write(countdown, kCreatedAt, [&](const QString& prompt, int buttons) {
        ui.msgBox(prompt, buttons, {});
    });
    writeFile(QDir(work.path()).filePath(dataName), data);
    writeFile(QDir(work.path()).filePath(pictureName), jpegBytes(t.drawPicture()));
    writeFile(QDir(work.path()).filePath(kSoundName), sound);

    const QString package = platform::fs::toInternal(QDir(outputFolder).filePath(t.name + QStringLiteral(".MVL")));
    ModJoinsSkins::SaveCountdownPackage(package, QStringLiteral("0"), QStringLiteral("0"), QString(), dataName,
                                        pictureName, kSoundName, QString(),
                                        platform::fs::toInternal(work.path()));
}

} // namespace

int main(int argc, char* argv[])
{
    // The pictures draw no text, so no window system (QGuiApplication) is needed.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make-templates <output folder> <alarm sound file>\n");
        return 2;
    }
    const QString outputFolder = QDir(args[1]).absolutePath();
    QFile soundFile(args[2]);
    if (!soundFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-templates: cannot read %s\n", qPrintable(args[2]));
        return 1;
    }
    const QByteArray sound = soundFile.readAll();

    // The countdowns read the program folder from the context; every file this tool writes is
    // named by its own folders, so the output folder stands in for it.
    ProgramContext context;
    context.appPath = platform::fs::toInternal(outputFolder);
    // Any message the project's code shows while building is a failure of the build.
    ReportingUi ui("make-templates");
    // Dates and numbers in the data files take the default (United States) regional settings.
    platform::Regional regional;
    platform::setServices({&ui, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &regional});

    const Template templates[] = {
        {QStringLiteral("Default"), setDefaultValues, drawCalmPicture},
        {QStringLiteral("Demo"), setDemoValues, drawNewYearPicture},
    };
    try {
        QDir().mkpath(outputFolder);
        for (const Template& t : templates)
            buildTemplate(t, outputFolder, sound, ui);
    } catch (const platform::VbError& error) {
        std::fprintf(stderr, "make-templates: %d %s\n", error.number, qPrintable(error.description));
        return 1;
    }
    return ui.failed ? 1 : 0;
}

// Renders the countdown form in each of its seven layouts in a real window, filled with sample
// captions, colours and a picture, and saves a screenshot of each as layout-<n>.png.
//
//   layout-shots <output folder>
//
// Needs a real display (scripts/show-layouts.sh runs it under a private Xvfb).

#include "display/CountdownForm.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/modCountdownLayout.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <cstdio>
#include <functional>

namespace {

// Runs the event loop for a while, or until the condition holds.
void waitFor(int milliseconds, const std::function<bool()>& done = [] { return false; })
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds && !done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class ShownForm : public CountdownForm {
protected:
    void Form_Resize() override { modCountdown::LayoutCountdownForm(*this); }
};

QImage samplePicture()
{
    QImage picture(320, 200, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(1, QColor(250, 200, 120));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(QColor(255, 240, 80));
    painter.drawEllipse(QPoint(230, 70), 30, 30);
    painter.fillRect(0, 160, 320, 40, QColor(30, 110, 50));
    return picture;
}

void fillWithSamples(CountdownForm& form)
{
    const auto bgr = [](int r, int g, int b) { return int32_t(r | (g << 8) | (b << 16)); };
    form.c1eImage()->setPicture(samplePicture());
    form.c1eImage()->setBackColor(bgr(0, 0, 0));
    form.c1eTop()->setBackColor(bgr(20, 20, 60));
    form.c1eEventCaption()->setCaption(QStringLiteral("Summer Holidays"));
    form.c1eEventCaption()->setFontSize(20);
    form.c1eEventCaption()->setFontBold(true);
    form.c1eEventCaption()->setBackColor(bgr(20, 20, 60));
    form.c1eEventCaption()->setForeColor(bgr(255, 255, 255));
    form.c1eEventDate()->setCaption(QStringLiteral("01 Jul, 2027"));
    form.c1eEventDate()->setFontSize(12);
    form.c1eEventDate()->setBackColor(bgr(60, 20, 20));
    form.c1eEventDate()->setForeColor(bgr(255, 220, 120));
    form.c1eCaptions()->setBackColor(bgr(200, 0, 200)); // shows wherever nothing covers it
    form.c1eIntervalsLeft(0)->setBackColor(bgr(0, 80, 80));
    const char* units[] = {"1 Years", "6 Months", "20 Days", "13 Hours", "42 Minutes", "7 Seconds"};
    for (int i = 1; i <= 6; ++i) {
        ElasticPanel* box = form.c1eIntervalsLeft(i);
        box->setCaption(QString::fromLatin1(units[i - 1]));
        box->setFontSize(11);
        box->setBackColor(i % 2 ? bgr(230, 230, 230) : bgr(190, 210, 240));
        box->setForeColor(bgr(0, 0, 0));
    }
    form.c1eAdvertiserLogo()->setCaption(QStringLiteral("Logo"));
    form.c1eAdvertiserLogo()->setBackColor(bgr(255, 160, 0));
    form.c1eAdvertiserLogo()->setForeColor(bgr(0, 0, 0));
}

// True when every layout's screenshot was saved.
bool saveEachLayout(const QString& folder)
{
    ShownForm form;
    fillWithSamples(form);
    form.move(40, 40);
    form.resize(640, 480);
    form.show();
    waitFor(5000, [&form] { return form.windowHandle() && form.windowHandle()->isExposed(); });
    if (!form.windowHandle()->isExposed()) {
        std::fprintf(stderr, "layout-shots: the window was never shown\n");
        return false;
    }
    bool saved = true;
    for (int layout = 1; layout <= 7; ++layout) {
        form.lblLayout()->setCaption(QString::number(layout));
        modCountdown::LayoutCountdownForm(form);
        form.repaint();
        waitFor(300);
        const QRect frame = form.frameGeometry();
        const QPixmap shot = form.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        const QString path = QStringLiteral("%1/layout-%2.png").arg(folder).arg(layout);
        if (!shot.save(path)) {
            std::fprintf(stderr, "layout-shots: cannot write %s\n", qPrintable(path));
            saved = false;
        }
    }
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: layout-shots <output folder>\n");
        return 2;
    }
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::fprintf(stderr, "layout-shots: needs a real display; the offscreen platform shows no window\n");
        return 1;
    }
    const QString folder = QDir(args[1]).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "layout-shots: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    platform::installProgramServices();
    try {
        return saveEachLayout(folder) ? 0 : 1;
    } catch (const platform::VbError& error) {
        std::fprintf(stderr, "layout-shots: %d %s\n", error.number, qPrintable(error.description));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "layout-shots: %s\n", error.what());
        return 1;
    }
}

#include "foundation/modForm.h"

#include "foundation/KeepOnScreen.h"
#include "foundation/ProgramContext.h"
#include "foundation/VbValues.h"
#include "platform/FrameMargins.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace modForm {

namespace {

const platform::Screen& screen()
{
    return *platform::services().screen;
}

int pixelsAcross(double twips)
{
    return clsForm::roundedTwips(twips / screen().twipsPerPixelX());
}

int pixelsDown(double twips)
{
    return clsForm::roundedTwips(twips / screen().twipsPerPixelY());
}

// A window's outer placement in twips, as KeepOnScreen reads and sets it.
struct FormTwips {
    QWidget* form;
    double Left() const { return FormLeft(form); }
    double Top() const { return FormTop(form); }
    double Width() const { return FormWidth(form); }
    double Height() const { return FormHeight(form); }
    void setLeft(double twips) const { setFormLeft(form, twips); }
    void setTop(double twips) const { setFormTop(form, twips); }
    void setWidth(double twips) const { setFormWidth(form, twips); }
    void setHeight(double twips) const { setFormHeight(form, twips); }
};

void keepOnScreen(QWidget* form)
{
    FormTwips twips{form};
    KeepOnScreen::keepOnScreen(twips);
}

// A record stored on a larger screen may lie off this one: its normal placement is brought
// inside before the stored state is taken.
void applyRecord(QWidget* form, const clsForm& record)
{
    setFormWidth(form, record.Width());
    setFormHeight(form, record.Height());
    setFormTop(form, record.Top());
    setFormLeft(form, record.Left());
    keepOnScreen(form);
    setFormWindowState(form, record.State());
}

// A stored position far off the screen (or negative) is not worth restoring.
int32_t storedPosition(double twips)
{
    return twips >= 0 && twips <= 20000 ? clsForm::roundedTwips(twips) : 0;
}

// The screen height less 200 twips, as the tiling measures it; kept within the 16-bit range
// so a very tall screen tiles instead of failing.
int16_t tilingHeight()
{
    return static_cast<int16_t>(std::clamp<int32_t>(clsForm::roundedTwips(screen().heightTwips() - 200),
                                                    INT16_MIN, INT16_MAX));
}

struct TileCodes {
    int16_t band;
    int16_t slot;
};

// Band and slot for 1 to 6 open countdown windows.
constexpr TileCodes kTileCodesByCount[] = {{1, 4}, {1, 0}, {1, 2}, {3, 0}, {3, 2}, {3, 4}};

int16_t sizeCodeOfName(const QString& name)
{
    if (name.isEmpty())
        return 0;
    const QChar last = name.back();
    return last >= QLatin1Char('0') && last <= QLatin1Char('9') ? static_cast<int16_t>(last.unicode() - '0') : int16_t{0};
}

// Placement modes 0, 1, 2 and 4 when no record is stored; mode 0 starts from the record's
// defaults.
void placeWithoutRecord(int16_t mode, QWidget* form, const QString& name)
{
    if (mode == 0) {
        applyRecord(form, *FormRecord());
        const int16_t count = CountCountdownForms();
        if (count >= 1 && count <= 6) {
            const TileCodes codes = kTileCodesByCount[count - 1];
            TileCountdownForm(form, codes.band, codes.slot, sizeCodeOfName(name));
        } else {
            CenterFormOnScreen(form);
        }
    } else if (mode == 1) {
        setFormWindowState(form, 0);
        setFormWidth(form, 7500);
        setFormHeight(form, 5630);
        CenterFormOnScreen(form);
    } else if (mode == 2) {
        setFormTop(form, 0);
        setFormLeft(form, 0);
        setFormWidth(form, screen().widthTwips());
        setFormHeight(form, 5630);
    } else if (mode == 4) {
        setFormTop(form, 0);
        setFormLeft(form, 0);
        setFormWidth(form, screen().widthTwips() * 0.85);
        setFormHeight(form, screen().heightTwips() * 0.85);
    }
}

} // namespace

namespace {

// Read from the window system each time: Qt's own account of a frame lags behind while a window
// manager frames the window, and a box measured then would be stored a frame too large or small.
QMargins frameOf(const QWidget* form)
{
    return platform::frameMargins(*form);
}

QRect outerPixels(const QWidget* form)
{
    return form->geometry().marginsAdded(frameOf(form));
}

void moveOuter(QWidget* form, const QPoint& outer)
{
    platform::moveOuter(*form, outer, frameOf(form));
}

} // namespace

double FormLeft(const QWidget* form) { return outerPixels(form).x() * screen().twipsPerPixelX(); }
double FormTop(const QWidget* form) { return outerPixels(form).y() * screen().twipsPerPixelY(); }
double FormWidth(const QWidget* form) { return outerPixels(form).width() * screen().twipsPerPixelX(); }
double FormHeight(const QWidget* form) { return outerPixels(form).height() * screen().twipsPerPixelY(); }
double FormScaleWidth(const QWidget* form) { return form->width() * screen().twipsPerPixelX(); }
double FormScaleHeight(const QWidget* form) { return form->height() * screen().twipsPerPixelY(); }

void setFormLeft(QWidget* form, double twips)
{
    moveOuter(form, QPoint(pixelsAcross(twips), outerPixels(form).y()));
}

void setFormTop(QWidget* form, double twips)
{
    moveOuter(form, QPoint(outerPixels(form).x(), pixelsDown(twips)));
}

void setFormWidth(QWidget* form, double twips)
{
    const QMargins frame = frameOf(form);
    form->resize(std::max(0, pixelsAcross(twips) - frame.left() - frame.right()), form->height());
}

void setFormHeight(QWidget* form, double twips)
{
    const QMargins frame = frameOf(form);
    form->resize(form->width(), std::max(0, pixelsDown(twips) - frame.top() - frame.bottom()));
}

int16_t FormWindowState(const QWidget* form)
{
    if (form->isMinimized())
        return 1;
    if (form->isMaximized())
        return 2;
    return 0;
}

void setFormWindowState(QWidget* form, int16_t state)
{
    Qt::WindowStates states = form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == 1)
        states |= Qt::WindowMinimized;
    else if (state == 2)
        states |= Qt::WindowMaximized;
    form->setWindowState(states);
}

std::unique_ptr<clsForm>& FormRecord()
{
    return ProgramContext::current().formRecord;
}

void UpdateFormRecord(clsForm& record)
{
    record.Update();
}

void SaveFormPosition(QWidget* form, const QString& name)
{
    std::unique_ptr<clsForm>& record = FormRecord();
    record = std::make_unique<clsForm>();
    record->setState(FormWindowState(form));
    if (record->State() != 0)
        setFormWindowState(form, 0);
    record->setName(name);
    record->setHeight(clsForm::roundedTwips(FormHeight(form)));
    record->setWidth(clsForm::roundedTwips(FormWidth(form)));
    record->setTop(storedPosition(FormTop(form)));
    record->setLeft(storedPosition(FormLeft(form)));
    UpdateFormRecord(*record);
    record.reset();
}

void RestoreFormPosition(int16_t mode, QWidget* form, const QString& name)
{
    std::unique_ptr<clsForm>& record = FormRecord();
    record = std::make_unique<clsForm>();
    const bool found = record->FindByName(name) != 0;
    if (mode == 0 || mode == 1 || mode == 2 || mode == 4) {
        if (!found) {
            placeWithoutRecord(mode, form, name);
        } else {
            if (mode == 0 && FormWindowState(form) == 2)
                setFormWindowState(form, 0);
            applyRecord(form, *record);
        }
        // Tiling and centring measure the whole screen, not the part its panels leave free.
        if (FormWindowState(form) == 0)
            keepOnScreen(form);
    }
    record.reset();
}

void TileCountdownForm(QWidget* form, int16_t bandCode, int16_t slotCode, int16_t sizeCode)
{
    const double screenWidth = screen().widthTwips();
    const double h = tilingHeight();
    setFormWindowState(form, 0);
    if (sizeCode >= 1 && sizeCode <= 4) {
        setFormWidth(form, screenWidth / 2);
        setFormHeight(form, h / 2);
    } else if (sizeCode == 5 || sizeCode == 6) {
        setFormWidth(form, screenWidth / 2);
        setFormHeight(form, h / 4);
    } else if (sizeCode == 7) {
        setFormWidth(form, screenWidth / 4);
        setFormHeight(form, h / 2);
    }
    if (bandCode == 3)
        setFormHeight(form, h / 2 - 325);

    struct Slot {
        int16_t band;
        int16_t slot;
        double top;
        double left;
    };
    // The last two rows take their left edge from the height, not the width.
    const Slot placements[] = {
        {1, 0, 0, 0},
        {1, 2, 0, screenWidth / 2},
        {1, 4, h * 0.46, screenWidth * 0.2},
        {3, 0, h / 2, 0},
        {3, 2, h / 2, h / 2},
        {3, 4, h * 0.1, h * 0.2},
    };
    for (const Slot& slot : placements) {
        if (slot.band == bandCode && slot.slot == slotCode) {
            setFormTop(form, slot.top);
            setFormLeft(form, slot.left);
            return;
        }
    }
}

void CenterFormOnScreen(QWidget* form)
{
    const int32_t spareWidth = vb::clng(screen().widthTwips() - FormScaleWidth(form));
    const int32_t spareHeight = vb::clng(screen().heightTwips() - FormScaleHeight(form));
    // Halved in whole twips: the remainder is dropped.
    const int32_t left = spareWidth / 2;
    const int32_t top = spareHeight / 2;
    setFormLeft(form, left);
    setFormTop(form, top);
}

int16_t CountCountdownForms()
{
    int16_t count = 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if ((*it)->objectName().left(12) == QLatin1String("frmCountdown"))
            ++count;
    }
    return count;
}

} // namespace modForm

#pragma once

#include "foundation/ScreenMetrics.h"
#include "foundation/clsForm.h"

#include <QString>

#include <cstdint>
#include <memory>

class QWidget;

// Window placement: stores a window's placement in its form file when it closes and restores
// it (or places the window by a mode) when it opens. All sizes and positions are in twips.
namespace modForm {

// The record SaveFormPosition and RestoreFormPosition work on, kept in the ProgramContext;
// empty outside those calls.
std::unique_ptr<clsForm>& FormRecord();

void UpdateFormRecord(clsForm& record);
void SaveFormPosition(QWidget* form, const QString& name);
// Modes: 0 tiled by the count of countdown windows, 1 fixed size centred, 2 across the top,
// 4 85 percent of the screen; any other mode does nothing.
void RestoreFormPosition(int16_t mode, QWidget* form, const QString& name);
void TileCountdownForm(QWidget* form, int16_t bandCode, int16_t slotCode, int16_t sizeCode);
void CenterFormOnScreen(QWidget* form);
int16_t CountCountdownForms();

// A window's outer placement and client size in twips, through the Screen service's twips
// per pixel. Setting the outer width or height resizes the client area by the difference.
double FormLeft(const QWidget* form);
double FormTop(const QWidget* form);
double FormWidth(const QWidget* form);
double FormHeight(const QWidget* form);
double FormScaleWidth(const QWidget* form);
double FormScaleHeight(const QWidget* form);
void setFormLeft(QWidget* form, double twips);
void setFormTop(QWidget* form, double twips);
void setFormWidth(QWidget* form, double twips);
void setFormHeight(QWidget* form, double twips);
// 0 normal, 1 minimized, 2 maximized.
int16_t FormWindowState(const QWidget* form);
void setFormWindowState(QWidget* form, int16_t state);

} // namespace modForm

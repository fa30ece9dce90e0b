#pragma once

#include <QDialog>

// The startup wizard: shortcuts to the viewer with the current package, the about box, help,
// and the "Show Startup Wizard" setting. Shown modally.
class frmStartupWizard : public QDialog {
    Q_OBJECT
public:
    explicit frmStartupWizard(QWidget* parent = nullptr);

    // Builds a wizard, runs it modally and returns when it is closed (or the program ends).
    static void ShowModal(QWidget* parent = nullptr);
};

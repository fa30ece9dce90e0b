#pragma once

#include <QDialog>

// The about box: version, build date, the maker's contact details; keeps its position.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Builds an about box, runs it modally and returns when it is closed.
    static void ShowModal(QWidget* parent = nullptr);
};
